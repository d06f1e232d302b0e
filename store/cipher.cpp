// Value naming (SHA-256 in upper-case hex) and the AES-128-CBC decryption of store values.

#include <openssl/evp.h>
#include <openssl/sha.h>

#include "platform/certstore/openssl_ptr.h"
#include "store/cert_store_access.h"

namespace {

using platform::certstore::CipherContextPtr;

// Fetched and allocated once: looking the cipher up by name and setting up a context for every
// record costs more than decrypting it. The program decrypts on one thread only.
const EVP_CIPHER* Aes128Cbc()
{
    static const EVP_CIPHER* cipher = EVP_CIPHER_fetch(nullptr, "AES-128-CBC", nullptr);
    return cipher;
}

EVP_CIPHER_CTX* ReusableContext()
{
    static CipherContextPtr context(EVP_CIPHER_CTX_new());
    return context.get();
}

}  // namespace

std::string CCertStoreAccess::HashName(const unsigned char* data, int32_t length)
{
    std::string name;
    std::unique_ptr<unsigned char[]> digest;
    int32_t digestLength = 0;
    if (ComputeSha256(data, length, &digest, &digestLength) != 0)
        return name;
    return BytesToHex(digest.get(), digestLength);
}

ResultCode CCertStoreAccess::ComputeSha256(const unsigned char* data, int32_t length,
                                           std::unique_ptr<unsigned char[]>* digest, int32_t* digestLength)
{
    *digestLength = SHA256_DIGEST_LENGTH;
    *digest = std::make_unique<unsigned char[]>(SHA256_DIGEST_LENGTH);
    SHA256(data, length > 0 ? static_cast<size_t>(length) : 0, digest->get());
    return 0;
}

std::string CCertStoreAccess::BytesToHex(const unsigned char* data, int32_t length)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex(length > 0 ? static_cast<size_t>(length) * 2 : 0, '\0');
    for (size_t i = 0; i < hex.size() / 2; ++i) {
        hex[2 * i] = kDigits[data[i] >> 4];
        hex[2 * i + 1] = kDigits[data[i] & 0x0F];
    }
    return hex;
}

ResultCode CCertStoreAccess::AesDecrypt(const unsigned char* key, const unsigned char* iv,
                                        const unsigned char* ciphertext, int32_t length,
                                        std::unique_ptr<unsigned char[]>* plaintext, int32_t* plaintextLength)
{
    ResultCode result = 1;
    if (length <= 0)
        return result;

    *plaintextLength = length;
    *plaintext = std::make_unique_for_overwrite<unsigned char[]>(static_cast<size_t>(length) * 4);

    // Whatever the update and final steps report, what they released is the plaintext:
    // a failed final step (bad padding, a partial last block) just releases nothing.
    EVP_CIPHER_CTX* ctx = ReusableContext();
    int updateLength = 0;
    int finalLength = 0;
    if (ctx && EVP_DecryptInit_ex(ctx, Aes128Cbc(), nullptr, key, iv) == 1) {
        EVP_CIPHER_CTX_set_padding(ctx, 1);
        if (EVP_DecryptUpdate(ctx, plaintext->get(), &updateLength, ciphertext, length) != 1)
            updateLength = 0;
        if (EVP_DecryptFinal_ex(ctx, plaintext->get() + updateLength, &finalLength) != 1)
            finalLength = 0;
    }
    *plaintextLength = updateLength + finalLength;

    if (*plaintextLength > 0)
        result = 0;
    return result;
}
