#include "tests/support/pkcs12_builder.h"

#include <memory>
#include <stdexcept>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/pkcs12.h>

#include "tests/support/temp_dir.h"

namespace test_support {

namespace {

template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* p) const { Free(p); }
};
template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Deleter<T, Free>>;

void FreeBags(STACK_OF(PKCS12_SAFEBAG) * bags)
{
    sk_PKCS12_SAFEBAG_pop_free(bags, PKCS12_SAFEBAG_free);
}
void FreeSafes(STACK_OF(PKCS7) * safes)
{
    sk_PKCS7_pop_free(safes, PKCS7_free);
}
using BagsPtr = Owned<STACK_OF(PKCS12_SAFEBAG), FreeBags>;
using SafesPtr = Owned<STACK_OF(PKCS7), FreeSafes>;

void Check(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(std::string("building a PKCS#12 file failed: ") + what);
}

template <typename T>
T* Read(const std::string& path, T* (*read)(BIO*, T**, pem_password_cb*, void*))
{
    const std::string pem = ReadFileBytes(path);
    Owned<BIO, BIO_free_all> bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    T* object = bio ? read(bio.get(), nullptr, nullptr, nullptr) : nullptr;
    Check(object != nullptr, path.c_str());
    return object;
}

bool Honest(int64_t iterations)
{
    return iterations >= 1 && iterations <= kHonestIterations;
}

int HonestCount(int64_t iterations)
{
    return static_cast<int>(Honest(iterations) ? iterations : 2);  // 1 would leave the MAC count out
}

// Writes the count into a PBES2 algorithm made with an honest one.
void WriteCount(X509_ALGOR* algorithm, int64_t iterations)
{
    if (Honest(iterations))
        return;
    Owned<X509_ALGOR, X509_ALGOR_free> patched(
        PKCS5_pbe2_set_iv(EVP_aes_256_cbc(), 2, nullptr, 0, nullptr, NID_hmacWithSHA256));
    Check(patched != nullptr, "PBES2 parameters");
    Owned<PBE2PARAM, PBE2PARAM_free> pbe2(static_cast<PBE2PARAM*>(
        ASN1_TYPE_unpack_sequence(ASN1_ITEM_rptr(PBE2PARAM), patched->parameter)));
    Owned<PBKDF2PARAM, PBKDF2PARAM_free> kdf(pbe2 ? static_cast<PBKDF2PARAM*>(ASN1_TYPE_unpack_sequence(
                                                        ASN1_ITEM_rptr(PBKDF2PARAM), pbe2->keyfunc->parameter))
                                                  : nullptr);
    Check(kdf && ASN1_INTEGER_set_int64(kdf->iter, iterations) == 1, "PBKDF2 count");
    Check(ASN1_TYPE_pack_sequence(ASN1_ITEM_rptr(PBKDF2PARAM), kdf.get(), &pbe2->keyfunc->parameter) != nullptr &&
              ASN1_TYPE_pack_sequence(ASN1_ITEM_rptr(PBE2PARAM), pbe2.get(), &patched->parameter) != nullptr &&
              X509_ALGOR_copy(algorithm, patched.get()) == 1,
          "PBES2 count");
}

}  // namespace

Bytes BuildPkcs12(const Pkcs12Recipe& recipe)
{
    const std::string directory = Fixtures().directory;
    Owned<X509, X509_free> certificate(Read<X509>(directory + "/selfsigned.pem", PEM_read_bio_X509));
    Owned<EVP_PKEY, EVP_PKEY_free> key(Read<EVP_PKEY>(directory + "/selfsigned.key", PEM_read_bio_PrivateKey));
    const char* password = recipe.password.c_str();
    const int passwordLength = static_cast<int>(recipe.password.size());
    unsigned char keyId[EVP_MAX_MD_SIZE];
    unsigned int keyIdLength = 0;
    Check(X509_digest(certificate.get(), EVP_sha1(), keyId, &keyIdLength) == 1, "key id");

    SafesPtr safes(sk_PKCS7_new_null());
    if (recipe.certificate) {
        BagsPtr bags(sk_PKCS12_SAFEBAG_new_null());
        PKCS12_SAFEBAG* bag = PKCS12_SAFEBAG_create_cert(certificate.get());
        Check(bag != nullptr && sk_PKCS12_SAFEBAG_push(bags.get(), bag) > 0 &&
                  PKCS12_add_localkeyid(bag, keyId, static_cast<int>(keyIdLength)) == 1,
              "certificate bag");
        PKCS7* safe = PKCS12_pack_p7encdata(NID_aes_256_cbc, password, passwordLength, nullptr, 0,
                                            HonestCount(recipe.certIterations), bags.get());
        Check(safe != nullptr && sk_PKCS7_push(safes.get(), safe) > 0, "certificate part");
        WriteCount(safe->d.encrypted->enc_data->algorithm, recipe.certIterations);
    }
    if (recipe.key) {
        Owned<PKCS8_PRIV_KEY_INFO, PKCS8_PRIV_KEY_INFO_free> plain(EVP_PKEY2PKCS8(key.get()));
        X509_SIG* shrouded = plain ? PKCS8_encrypt(-1, EVP_aes_256_cbc(), password, passwordLength, nullptr, 0,
                                                   HonestCount(recipe.keyIterations), plain.get())
                                   : nullptr;
        Check(shrouded != nullptr, "key encryption");
        X509_ALGOR* algorithm = nullptr;
        X509_SIG_getm(shrouded, &algorithm, nullptr);
        WriteCount(algorithm, recipe.keyIterations);
        BagsPtr bags(sk_PKCS12_SAFEBAG_new_null());
        PKCS12_SAFEBAG* bag = PKCS12_SAFEBAG_create0_pkcs8(shrouded);
        Check(bag != nullptr && sk_PKCS12_SAFEBAG_push(bags.get(), bag) > 0 &&
                  PKCS12_add_localkeyid(bag, keyId, static_cast<int>(keyIdLength)) == 1,
              "key bag");
        PKCS7* safe = PKCS12_pack_p7data(bags.get());
        Check(safe != nullptr && sk_PKCS7_push(safes.get(), safe) > 0, "key part");
    }

    Owned<PKCS12, PKCS12_free> p12(PKCS12_add_safes(safes.get(), 0));
    Check(p12 != nullptr, "authenticated safe");
    if (recipe.macIterations != 0) {
        Check(PKCS12_set_mac(p12.get(), password, passwordLength, nullptr, 0, HonestCount(recipe.macIterations),
                             EVP_sha256()) == 1,
              "MAC");
        if (!Honest(recipe.macIterations)) {
            const ASN1_INTEGER* count = nullptr;
            PKCS12_get0_mac(nullptr, nullptr, nullptr, &count, p12.get());
            Check(count != nullptr &&
                      ASN1_INTEGER_set_int64(const_cast<ASN1_INTEGER*>(count), recipe.macIterations) == 1,
                  "MAC count");
        }
    }

    unsigned char* der = nullptr;
    const int length = i2d_PKCS12(p12.get(), &der);
    Check(length > 0, "encoding");
    Bytes bytes(der, der + length);
    OPENSSL_free(der);
    return bytes;
}

}  // namespace test_support
