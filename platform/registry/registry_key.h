#pragma once
// A handle on one key of the registry, read only: the five operations that the store needs.
// Results are the registry's error codes (0 for success).

#include <cstdint>
#include <memory>
#include <string>

#include "platform/registry/hive.h"

namespace platform::registry {

enum class RootKey : uint32_t {
    CurrentUser = 0x80000001u,  // HKEY_CURRENT_USER, the only root this system backs
};

inline constexpr uint32_t kKeyRead = 0x20019;

enum ErrorCode : long {
    kErrorSuccess = 0,
    kErrorFileNotFound = 2,
    kErrorInvalidHandle = 6,
    kErrorInvalidData = 13,
    kErrorMoreData = 234,
    kErrorNoMoreItems = 259,
};

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    long Open(RootKey root, const std::string& path, uint32_t access = kKeyRead);

    // Without a buffer: the byte count. With one: the data, or kErrorMoreData with the
    // needed count when *byteCount is too small. A value of another type than REG_BINARY
    // fails with kErrorInvalidData.
    long QueryBinaryValue(const std::string& name, unsigned char* buffer, uint32_t* byteCount) const;

    long QueryInfo(uint32_t* subkeyCount, uint32_t* valueCount) const;

    // The name of the value at index into name[0 .. *nameLength): on entry *nameLength is the
    // buffer's size, on success the name's length without its terminating zero. A name that
    // does not fit with its terminator fails with kErrorMoreData.
    long EnumValueName(uint32_t index, char* name, uint32_t* nameLength, uint32_t* type) const;

    void Close();

private:
    std::shared_ptr<const Hive> hive_;
    const HiveKey* key_ = nullptr;
};

}  // namespace platform::registry
