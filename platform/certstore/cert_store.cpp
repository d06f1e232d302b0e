#include "platform/certstore/cert_store.h"

#include "platform/certstore/nss_cert_store.h"

namespace platform::certstore {

namespace {

CertificateStoreBackend* g_override = nullptr;

CertificateStoreBackend& CurrentBackend()
{
    if (g_override != nullptr)
        return *g_override;
    static NssCertificateStoreBackend userDatabase;
    return userDatabase;
}

}  // namespace

std::unique_ptr<TemporaryCertificateStore> ImportPfx(std::span<const unsigned char> pfx,
                                                     const SecretText<char16_t>& password, uint32_t flags)
{
    return CurrentBackend().ImportPfx(pfx, password, flags);
}

std::unique_ptr<SystemCertificateStore> OpenSystemStore(const std::u16string& name)
{
    return CurrentBackend().OpenSystemStore(name);
}

ScopedCertificateStoreBackend::ScopedCertificateStoreBackend(CertificateStoreBackend& backend)
    : previous_(g_override)
{
    g_override = &backend;
}

ScopedCertificateStoreBackend::~ScopedCertificateStoreBackend()
{
    g_override = previous_;
}

}  // namespace platform::certstore
