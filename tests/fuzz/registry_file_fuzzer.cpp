// Any bytes as a Wine user.reg: parsing, then reading every key's values back.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/registry/wine_registry_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace platform::registry;
    std::unique_ptr<Hive> hive = ParseWineRegistry(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const char* path : {"", "Software", "Software\\DOZA\\CertStore", "SOFTWARE\\DOZA\\CertStore\\CertInfo"}) {
        if (const HiveKey* key = hive->FindKey(path)) {
            for (const RegistryValue& value : key->Values()) {
                if (key->FindValue(value.name) == nullptr)
                    __builtin_trap();  // every enumerated name must be found again
            }
        }
    }
    return 0;
}
