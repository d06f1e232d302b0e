#pragma once
// The current user's certificate stores: the PFX import into a temporary store, and the
// three system stores "MY", "CA" and "ROOT". Process-wide, as a real system's stores are:
// the user's NSS database, or a backend that a test puts in place for a scope.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/certstore/certificate_fields.h"
#include "platform/certstore/secret_text.h"

namespace platform::certstore {

// PFX import flags.
inline constexpr uint32_t kPfxExportable = 0x0001;
inline constexpr uint32_t kPfxUserKeySet = 0x1000;
inline constexpr uint32_t kPfxAllowOverwriteKey = 0x4000;

inline constexpr const char16_t* kPersonalStore = u"MY";
inline constexpr const char16_t* kIntermediateStore = u"CA";
inline constexpr const char16_t* kRootStore = u"ROOT";

struct StoreCertificate {
    Bytes der;
    CertificateFields fields;
};

// The certificates of one imported PFX file, in the file's order. Their private keys are
// already in the user's key set; the certificates reach a system store only when added.
class TemporaryCertificateStore {
public:
    TemporaryCertificateStore(std::vector<StoreCertificate> certificates, std::shared_ptr<const void> backing)
        : certificates_(std::move(certificates)), backing_(std::move(backing))
    {
    }
    const std::vector<StoreCertificate>& Certificates() const { return certificates_; }

private:
    std::vector<StoreCertificate> certificates_;
    std::shared_ptr<const void> backing_;  // keeps the backend's database open
};

class SystemCertificateStore {
public:
    virtual ~SystemCertificateStore() = default;
    // Adds the certificate unless the store already holds it (or a newer one); a certificate
    // that is already there keeps what it has. True when it was added.
    virtual bool AddCertificateIfNewer(const StoreCertificate& certificate) = 0;
};

class CertificateStoreBackend {
public:
    virtual ~CertificateStoreBackend() = default;
    // Null when the file is refused under these flags (wrong password, unreadable file, no key set).
    virtual std::unique_ptr<TemporaryCertificateStore> ImportPfx(std::span<const unsigned char> pfx,
                                                                 const SecretText<char16_t>& password,
                                                                 uint32_t flags) = 0;
    // Null when the store cannot be opened.
    virtual std::unique_ptr<SystemCertificateStore> OpenSystemStore(const std::u16string& name) = 0;
};

std::unique_ptr<TemporaryCertificateStore> ImportPfx(std::span<const unsigned char> pfx,
                                                     const SecretText<char16_t>& password, uint32_t flags);
std::unique_ptr<SystemCertificateStore> OpenSystemStore(const std::u16string& name);

// Puts a backend in place of the user's NSS database for the life of the guard (unit tests).
class ScopedCertificateStoreBackend {
public:
    explicit ScopedCertificateStoreBackend(CertificateStoreBackend& backend);
    ~ScopedCertificateStoreBackend();
    ScopedCertificateStoreBackend(const ScopedCertificateStoreBackend&) = delete;
    ScopedCertificateStoreBackend& operator=(const ScopedCertificateStoreBackend&) = delete;

private:
    CertificateStoreBackend* previous_;
};

}  // namespace platform::certstore
