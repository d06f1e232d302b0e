// A stored certificate as the import meets it, with the stores in memory: any password, and
// either a PKCS#12 plaintext encrypted under the certificate windows of its value name (so the
// decoder, the MAC check, the PFX parse and the role decision see the bytes) or raw stored bytes.
// Input: [mode][password length][password][payload]; mode bit 0 set stores the payload raw.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/certstore/memory_cert_store.h"
#include "platform/registry/registry_source.h"
#include "store/cert_store_access.h"
#include "store/store_layout.h"
#include "tests/support/store_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace platform::registry;
    using namespace platform::certstore;
    if (size < 2)
        return 0;
    const bool raw = data[0] & 1;
    const size_t passwordLength = data[1];
    if (size < 2 + passwordLength)
        return 0;
    const std::string password(reinterpret_cast<const char*>(data + 2), passwordLength);
    std::vector<unsigned char> payload(data + 2 + passwordLength, data + size);

    const std::string name = test_support::CertificateValueName("ABC", "12345678");
    if (!raw)
        payload = test_support::EncryptBlob(name, kCertificateWindows.keyOffset, kCertificateWindows.ivOffset, payload);
    auto hive = std::make_shared<Hive>();
    hive->AddKey(kCertStoreRegPath)->SetValue(name, kRegBinary, std::move(payload));
    ScopedCurrentUserHive scopedHive(hive);
    MemoryCertificateStoreBackend stores;
    ScopedCertificateStoreBackend scopedStores(stores);

    const ResultCode result = CCertStoreAccess().ImportCert("12345678", "ABC", password);
    if (result != 0 && result != 5001 && result != 5201 && result != 5208)
        __builtin_trap();
    // Nothing reaches a store unless the import got that far and succeeded.
    const size_t added = stores.Contents(u"MY").size() + stores.Contents(u"CA").size() +
                         stores.Contents(u"ROOT").size();
    if (result != 0 && added != 0)
        __builtin_trap();
    if (result == 5001 && !stores.Calls().empty())
        __builtin_trap();  // an unusable file never reaches the certificate stores
    return 0;
}
