#include "platform/certstore/memory_cert_store.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/certstore/openssl_ptr.h"

namespace platform::certstore {

namespace {

std::string Narrow(const std::u16string& name)
{
    return std::string(name.begin(), name.end());  // store names are ASCII
}

Bytes EncodeCertificate(X509* certificate)
{
    unsigned char* der = nullptr;
    const int length = i2d_X509(certificate, &der);
    if (length < 0)
        return {};
    Bytes bytes(der, der + length);
    OPENSSL_free(der);
    return bytes;
}

StoreCertificate MakeStoreCertificate(X509* certificate)
{
    StoreCertificate result;
    result.der = EncodeCertificate(certificate);
    ReadCertificateFields(result.der, &result.fields);
    return result;
}

// OpenSSL takes PKCS#12 passwords as UTF-8; go there through the file's own BMP form,
// so a wrong conversion shows as a refused file.
bool ParsePfx(PKCS12* pkcs12, const SecretText<char16_t>& password, EvpKeyPtr* key, X509Ptr* certificate,
              X509StackPtr* others)
{
    SecretText<char> bmp;
    ToPkcs12PasswordBytes(password, &bmp);
    char* utf8 = OPENSSL_uni2utf8(reinterpret_cast<const unsigned char*>(bmp.data()), static_cast<int>(bmp.size()));
    if (utf8 == nullptr)
        return false;
    EVP_PKEY* rawKey = nullptr;
    X509* rawCertificate = nullptr;
    STACK_OF(X509)* rawOthers = nullptr;
    const int parsed = PKCS12_parse(pkcs12, utf8, &rawKey, &rawCertificate, &rawOthers);
    OPENSSL_clear_free(utf8, std::strlen(utf8));
    key->reset(rawKey);
    certificate->reset(rawCertificate);
    others->reset(rawOthers);
    return parsed == 1;
}

}  // namespace

class MemoryCertificateStoreBackend::Store : public SystemCertificateStore {
public:
    Store(MemoryCertificateStoreBackend* backend, std::u16string name) : backend_(backend), name_(std::move(name)) {}

    bool AddCertificateIfNewer(const StoreCertificate& certificate) override
    {
        const std::string label = "add " + Narrow(name_);
        if (backend_->refusingStores_.contains(name_)) {
            backend_->calls_.push_back(label + " refused");
            return false;
        }
        backend_->calls_.push_back(label);
        std::vector<Bytes>& contents = backend_->stores_[name_];
        if (std::find(contents.begin(), contents.end(), certificate.der) != contents.end())
            return false;
        contents.push_back(certificate.der);
        return true;
    }

private:
    MemoryCertificateStoreBackend* backend_;
    std::u16string name_;
};

std::vector<Bytes> MemoryCertificateStoreBackend::Contents(const std::u16string& storeName) const
{
    auto found = stores_.find(storeName);
    return found == stores_.end() ? std::vector<Bytes>{} : found->second;
}

std::unique_ptr<TemporaryCertificateStore> MemoryCertificateStoreBackend::ImportPfx(
    std::span<const unsigned char> pfx, const SecretText<char16_t>& password, uint32_t flags)
{
    char label[32];
    std::snprintf(label, sizeof(label), "import 0x%04X", static_cast<unsigned>(flags));
    calls_.push_back(label);
    if (refusedFlags_.contains(flags) || pfx.size() > LONG_MAX) {
        calls_.back() += " refused";
        return nullptr;
    }

    const unsigned char* p = pfx.data();
    Pkcs12Ptr pkcs12(d2i_PKCS12(nullptr, &p, static_cast<long>(pfx.size())));
    EvpKeyPtr key;
    X509Ptr certificate;
    X509StackPtr others;
    if (!pkcs12 || !ParsePfx(pkcs12.get(), password, &key, &certificate, &others)) {
        calls_.back() += " refused";
        return nullptr;
    }

    std::vector<StoreCertificate> certificates;
    if (certificate)
        certificates.push_back(MakeStoreCertificate(certificate.get()));
    for (int i = 0; others && i < sk_X509_num(others.get()); ++i)
        certificates.push_back(MakeStoreCertificate(sk_X509_value(others.get(), i)));
    if (key)
        ++keyCount_;
    return std::make_unique<TemporaryCertificateStore>(std::move(certificates), nullptr);
}

std::unique_ptr<SystemCertificateStore> MemoryCertificateStoreBackend::OpenSystemStore(const std::u16string& name)
{
    if (failingStores_.contains(name)) {
        calls_.push_back("open " + Narrow(name) + " failed");
        return nullptr;
    }
    calls_.push_back("open " + Narrow(name));
    return std::make_unique<Store>(this, name);
}

}  // namespace platform::certstore
