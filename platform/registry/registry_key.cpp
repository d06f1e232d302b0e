#include "platform/registry/registry_key.h"

#include <cstring>

#include "platform/registry/registry_source.h"

namespace platform::registry {

long RegistryKey::Open(RootKey root, const std::string& path, uint32_t /*access: read only*/)
{
    Close();
    if (root != RootKey::CurrentUser)
        return kErrorFileNotFound;
    std::shared_ptr<const Hive> hive = AcquireCurrentUserHive();
    const HiveKey* key = hive->FindKey(path);
    if (!key) {
        ReleaseCurrentUserHive();
        return kErrorFileNotFound;
    }
    hive_ = std::move(hive);
    key_ = key;
    return kErrorSuccess;
}

long RegistryKey::QueryBinaryValue(const std::string& name, unsigned char* buffer, uint32_t* byteCount) const
{
    if (!key_)
        return kErrorInvalidHandle;
    const RegistryValue* value = key_->FindValue(name);
    if (!value)
        return kErrorFileNotFound;
    if (value->type != kRegBinary)
        return kErrorInvalidData;
    if (value->data.size() > UINT32_MAX)
        return kErrorInvalidData;
    auto size = static_cast<uint32_t>(value->data.size());
    if (buffer) {
        if (*byteCount < size) {
            *byteCount = size;
            return kErrorMoreData;
        }
        if (size > 0)
            std::memcpy(buffer, value->data.data(), size);
    }
    *byteCount = size;
    return kErrorSuccess;
}

long RegistryKey::QueryInfo(uint32_t* subkeyCount, uint32_t* valueCount) const
{
    if (!key_)
        return kErrorInvalidHandle;
    *subkeyCount = key_->SubkeyCount();
    *valueCount = static_cast<uint32_t>(key_->Values().size());
    return kErrorSuccess;
}

long RegistryKey::EnumValueName(uint32_t index, char* name, uint32_t* nameLength, uint32_t* type) const
{
    if (!key_)
        return kErrorInvalidHandle;
    const std::vector<RegistryValue>& values = key_->Values();
    if (index >= values.size())
        return kErrorNoMoreItems;
    const RegistryValue& value = values[index];
    if (value.name.size() >= *nameLength)
        return kErrorMoreData;
    std::memcpy(name, value.name.data(), value.name.size());
    name[value.name.size()] = '\0';
    *nameLength = static_cast<uint32_t>(value.name.size());
    if (type)
        *type = value.type;
    return kErrorSuccess;
}

void RegistryKey::Close()
{
    if (!key_)
        return;
    key_ = nullptr;
    hive_.reset();
    ReleaseCurrentUserHive();
}

}  // namespace platform::registry
