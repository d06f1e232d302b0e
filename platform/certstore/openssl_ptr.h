#pragma once
// Move-only owners of the OpenSSL objects that the store and the certificate layer handle.

#include <memory>

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace platform::certstore {

template <typename T, void (*Free)(T*)>
struct OpenSslDeleter {
    void operator()(T* p) const { Free(p); }
};

using BioPtr = std::unique_ptr<BIO, OpenSslDeleter<BIO, BIO_free_all>>;
using CipherContextPtr = std::unique_ptr<EVP_CIPHER_CTX, OpenSslDeleter<EVP_CIPHER_CTX, EVP_CIPHER_CTX_free>>;
using X509Ptr = std::unique_ptr<X509, OpenSslDeleter<X509, X509_free>>;
using Pkcs12Ptr = std::unique_ptr<PKCS12, OpenSslDeleter<PKCS12, PKCS12_free>>;
using EvpKeyPtr = std::unique_ptr<EVP_PKEY, OpenSslDeleter<EVP_PKEY, EVP_PKEY_free>>;
using BasicConstraintsPtr =
    std::unique_ptr<BASIC_CONSTRAINTS, OpenSslDeleter<BASIC_CONSTRAINTS, BASIC_CONSTRAINTS_free>>;

inline void FreeX509Stack(STACK_OF(X509)* stack)
{
    sk_X509_pop_free(stack, X509_free);
}
using X509StackPtr = std::unique_ptr<STACK_OF(X509), OpenSslDeleter<STACK_OF(X509), FreeX509Stack>>;

}  // namespace platform::certstore
