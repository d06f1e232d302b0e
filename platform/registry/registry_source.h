#pragma once
// Where HKEY_CURRENT_USER comes from: the Wine prefix's user.reg, or a hive that a test
// puts in place for a scope. Process-wide, as the registry of a real system is.

#include <memory>
#include <string>

#include "platform/registry/hive.h"

namespace platform::registry {

// $WINEPREFIX/user.reg, or $HOME/.wine/user.reg when WINEPREFIX is not set.
std::string CurrentUserRegistryPath();

// A snapshot of HKEY_CURRENT_USER. The file is read whole through one descriptor and parsed
// once per version of it (identity, size and modification time); while any key handle is
// open, every new handle shares the snapshot of the first, so one query sees one version.
// A missing or unreadable file is an empty hive.
std::shared_ptr<const Hive> AcquireCurrentUserHive();
void ReleaseCurrentUserHive();

// Puts a hive in place of the Wine file for the life of the guard (unit tests).
class ScopedCurrentUserHive {
public:
    explicit ScopedCurrentUserHive(std::shared_ptr<const Hive> hive);
    ~ScopedCurrentUserHive();
    ScopedCurrentUserHive(const ScopedCurrentUserHive&) = delete;
    ScopedCurrentUserHive& operator=(const ScopedCurrentUserHive&) = delete;

private:
    std::shared_ptr<const Hive> previous_;
};

}  // namespace platform::registry
