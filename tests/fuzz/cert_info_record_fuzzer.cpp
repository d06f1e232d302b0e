// A certInfo record value as the query meets it: any value name, and either any ciphertext or
// any plaintext encrypted under that name's windows (so that the XML reader sees the bytes).
// Input: [mode][name length][name][payload]

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/registry/registry_source.h"
#include "store/cert_store_access.h"
#include "store/store_layout.h"
#include "tests/support/store_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace platform::registry;
    if (size < 2)
        return 0;
    bool encrypt = data[0] & 1;
    size_t nameLength = data[1];
    if (size < 2 + nameLength)
        return 0;
    std::string name(reinterpret_cast<const char*>(data + 2), nameLength);
    std::vector<unsigned char> payload(data + 2 + nameLength, data + size);
    if (encrypt) {
        if (name.size() < kCertInfoWindows.MinimumNameLength())
            return 0;
        payload = test_support::EncryptBlob(name, kCertInfoWindows.keyOffset, kCertInfoWindows.ivOffset, payload);
    }

    auto hive = std::make_shared<Hive>();
    hive->AddKey("Software\\DOZA\\CertStore\\CertInfo")->SetValue(name, kRegBinary, std::move(payload));
    ScopedCurrentUserHive scoped(hive);

    CCertStoreAccess store;
    CertInfoRecord record;
    ResultCode result = store.ReadCertInfo(name, record);
    if (result != 0 && result != 1 && result != 7715 && result != 10001)
        __builtin_trap();
    std::vector<CertListEntry> lines = store.QueryCertList("");
    if (lines.size() > 1)
        __builtin_trap();
    return 0;
}
