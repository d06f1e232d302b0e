#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/registry/hive.h"

namespace platform::registry {

// Reads the text of a Wine registry file (user.reg, as wineserver saves it) into a hive.
// Lines that cannot be understood are skipped; a text that does not begin with Wine's
// header line gives an empty hive.
std::unique_ptr<Hive> ParseWineRegistry(std::string_view text);
// The same, reading at most maxBytes of an open file from its current position, a piece at a time.
std::unique_ptr<Hive> ParseWineRegistryFile(int fd, size_t maxBytes);

}  // namespace platform::registry
