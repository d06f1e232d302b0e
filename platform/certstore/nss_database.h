#pragma once
// The user's NSS shared database, opened read-write at first use and shut down when the
// last handle on it is released, so one process can open it again later (or another one).

#include <memory>
#include <string>

#include <nss.h>
#include <pk11pub.h>

namespace platform::certstore {

// $HOME/.pki/nssdb when that folder exists, otherwise $XDG_DATA_HOME/pki/nssdb (by default
// $HOME/.local/share/pki/nssdb). Empty when HOME is not set.
std::string UserNssDatabasePath();

class NssDatabase {
public:
    // The open database, shared with every handle that is still alive; null when it cannot be
    // opened for writing (no HOME, folder not creatable, files read-only, locked or damaged,
    // database locked by a password).
    static std::shared_ptr<NssDatabase> Open();

    NssDatabase(NSSInitContext* context, PK11SlotInfo* keySlot) : context_(context), keySlot_(keySlot) {}
    ~NssDatabase();
    NssDatabase(const NssDatabase&) = delete;
    NssDatabase& operator=(const NssDatabase&) = delete;

    PK11SlotInfo* KeySlot() const { return keySlot_; }

private:
    NSSInitContext* context_;
    PK11SlotInfo* keySlot_;
};

}  // namespace platform::certstore
