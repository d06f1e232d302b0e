// Import of one stored certificate, with its private key, into the user's certificate stores.

#include <openssl/bio.h>
#include <openssl/crypto.h>
#include <openssl/pkcs12.h>

#include "platform/certstore/cert_store.h"
#include "platform/certstore/openssl_ptr.h"
#include "store/cert_store_access.h"
#include "store/pkcs12_work.h"
#include "store/store_layout.h"

using namespace platform::certstore;

namespace {

constexpr ResultCode kGeneralError = 5001;
constexpr ResultCode kStoreNotOpened = 5201;
constexpr ResultCode kPkcs12PasswordError = 5208;

// A read-only memory reader never releases the bytes it reads, whatever its close flag; set
// to BIO_NOCLOSE it would keep its own buffer header when freed and leak it.
Pkcs12Ptr DecodePkcs12(const unsigned char* p12Data, int32_t p12DataSize)
{
    if (p12Data == nullptr || p12DataSize <= 0)
        return nullptr;
    BioPtr reader(BIO_new_mem_buf(p12Data, p12DataSize));
    if (!reader)
        return nullptr;
    return Pkcs12Ptr(d2i_PKCS12_bio(reader.get(), nullptr));
}

}  // namespace

ResultCode CCertStoreAccess::ImportCert(std::string orgID, std::string cn, const std::string& password)
{
    std::string regKeyName = cn + "@" + orgID;
    regKeyName = HashName(reinterpret_cast<const unsigned char*>(regKeyName.data()),
                          static_cast<int32_t>(regKeyName.size()));
    if (regKeyName.size() < kCertificateWindows.MinimumNameLength())
        return kGeneralError;  // no digest, no name to cut the key and IV from

    std::vector<unsigned char> encryptP12Data;
    int32_t encryptP12DataSize = 0;
    if (ReadRegistryValue(HKEY_CURRENT_USER, kCertStoreRegPath, regKeyName, &encryptP12Data, &encryptP12DataSize) != 0)
        return kGeneralError;

    const WindowBuffer aesKey = CutWindow(regKeyName, kCertificateWindows.keyOffset);
    const WindowBuffer aesIv = CutWindow(regKeyName, kCertificateWindows.ivOffset);

    // What the decryption yields is judged by the PKCS#12 decoder, not by its result.
    std::unique_ptr<unsigned char[]> p12Data;
    int32_t p12DataSize = 0;
    AesDecrypt(aesKey.data(), aesIv.data(), encryptP12Data.data(), encryptP12DataSize, &p12Data, &p12DataSize);

    Pkcs12Ptr p12 = DecodePkcs12(p12Data.get(), p12DataSize);
    if (!p12)
        return kGeneralError;
    // A file that asks for more key-derivation work than any real one is no usable PKCS#12,
    // whatever the password: refused before that work is done, here or in the store.
    if (!MacWorkIsBounded(*p12))
        return kGeneralError;

    OPENSSL_init_crypto(OPENSSL_INIT_ADD_ALL_CIPHERS | OPENSSL_INIT_ADD_ALL_DIGESTS, nullptr);
    // Checked before any store is touched, so a wrong password changes nothing.
    if (PKCS12_verify_mac(p12.get(), password.data(), static_cast<int>(password.size())) != 1)
        return kPkcs12PasswordError;
    if (!Pkcs12WorkIsBounded(*p12, password))
        return kGeneralError;

    const std::span<const unsigned char> pfxBlobData(p12Data.get(), static_cast<size_t>(p12DataSize));
    SecretText<char16_t> widePassword;
    WidenUtf8(password, &widePassword);
    std::unique_ptr<TemporaryCertificateStore> pfxStore =
        ImportPfx(pfxBlobData, widePassword, kPfxExportable | kPfxUserKeySet | kPfxAllowOverwriteKey);
    if (!pfxStore)
        pfxStore = ImportPfx(pfxBlobData, widePassword, kPfxExportable | kPfxUserKeySet);
    if (!pfxStore) {
        // Refused by a store that does not even open (read-only, locked, damaged): the store's
        // fault, not the password's, which the MAC has already accepted.
        return OpenSystemStore(kPersonalStore) ? kPkcs12PasswordError : kStoreNotOpened;
    }
    widePassword.Clear();

    std::unique_ptr<SystemCertificateStore> myStore = OpenSystemStore(kPersonalStore);
    if (!myStore)
        return kStoreNotOpened;
    std::unique_ptr<SystemCertificateStore> caStore = OpenSystemStore(kIntermediateStore);
    if (!caStore)
        return kStoreNotOpened;
    std::unique_ptr<SystemCertificateStore> rootStore = OpenSystemStore(kRootStore);
    if (!rootStore)
        return kStoreNotOpened;

    // A certificate that its store refuses changes neither the loop nor the outcome.
    for (const StoreCertificate& certificate : pfxStore->Certificates()) {
        const std::string certType = GetCertType(certificate.fields);
        if (certType == "CA")
            caStore->AddCertificateIfNewer(certificate);
        else if (certType == "EE")
            myStore->AddCertificateIfNewer(certificate);
        else if (certType == "ROOT")
            rootStore->AddCertificateIfNewer(certificate);
    }
    return 0;
}
