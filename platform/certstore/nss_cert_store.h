#pragma once
// The certificate stores over the user's NSS shared database. "MY", "CA" and "ROOT" are
// views of the one database: a user certificate with its key, an authority with no trust
// of its own, and a trusted root authority ("CT,C,C").
//
// NSS keeps a private key together with its certificate, so the PFX import already puts the
// file's certificates in the database, without trust; the adds that follow give each its
// role, which for "MY" and "CA" changes nothing and for "ROOT" adds the trust.

#include "platform/certstore/cert_store.h"

namespace platform::certstore {

class NssCertificateStoreBackend : public CertificateStoreBackend {
public:
    // NSS never replaces a key that the database already holds, so every flag set that
    // names the user's key set imports alike.
    std::unique_ptr<TemporaryCertificateStore> ImportPfx(std::span<const unsigned char> pfx,
                                                         const SecretText<char16_t>& password,
                                                         uint32_t flags) override;
    std::unique_ptr<SystemCertificateStore> OpenSystemStore(const std::u16string& name) override;
};

}  // namespace platform::certstore
