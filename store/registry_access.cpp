// Reading one binary value of the private store from the registry.

#include "store/cert_store_access.h"

using platform::registry::RegistryKey;

ResultCode CCertStoreAccess::ReadRegistryValue(RootKey root, const std::string& subKey, const std::string& valueName,
                                               std::vector<unsigned char>* data, int32_t* size)
{
    constexpr ResultCode kReadFailed = 10001;
    RegistryKey key;
    if (key.Open(root, subKey) != 0)
        return kReadFailed;

    uint32_t readLen = 0;
    if (key.QueryBinaryValue(valueName, nullptr, &readLen) != 0 || readLen > INT32_MAX - 1)
        return kReadFailed;

    data->assign(static_cast<size_t>(readLen) + 1, 0);
    if (key.QueryBinaryValue(valueName, data->data(), &readLen) != 0)
        return kReadFailed;

    *size = static_cast<int32_t>(readLen);
    return 0;
}
