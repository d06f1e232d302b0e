#include "tests/support/store_writer.h"

#include <memory>
#include <stdexcept>

#include <openssl/evp.h>
#include <openssl/sha.h>

namespace test_support {

namespace {

constexpr const char* kCertStorePath = "Software\\DOZA\\CertStore";
constexpr const char* kCertInfoPath = "Software\\DOZA\\CertStore\\CertInfo";

std::string XmlEscape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c; break;
        }
    }
    return out;
}

}  // namespace

Bytes ToBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes EncryptBlob(const std::string& valueName, size_t keyOffset, size_t ivOffset, const Bytes& plaintext)
{
    if (valueName.size() < keyOffset + 16 || valueName.size() < ivOffset + 16)
        throw std::invalid_argument("value name too short for its windows: " + valueName);
    const auto* key = reinterpret_cast<const unsigned char*>(valueName.data() + keyOffset);
    const auto* iv = reinterpret_cast<const unsigned char*>(valueName.data() + ivOffset);
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    Bytes ciphertext(plaintext.size() + 16);
    int updateLength = 0;
    int finalLength = 0;
    if (!ctx || EVP_EncryptInit_ex(ctx.get(), EVP_aes_128_cbc(), nullptr, key, iv) != 1
        || EVP_EncryptUpdate(ctx.get(), ciphertext.data(), &updateLength, plaintext.data(),
                             static_cast<int>(plaintext.size())) != 1
        || EVP_EncryptFinal_ex(ctx.get(), ciphertext.data() + updateLength, &finalLength) != 1)
        throw std::runtime_error("AES encryption failed");
    ciphertext.resize(static_cast<size_t>(updateLength + finalLength));
    return ciphertext;
}

std::string CertificateValueName(const std::string& cn, const std::string& orgID)
{
    std::string keyString = cn + "@" + orgID;
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char*>(keyString.data()), keyString.size(), digest);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string name;
    for (unsigned char byte : digest) {
        name += kDigits[byte >> 4];
        name += kDigits[byte & 0x0F];
    }
    return name;
}

std::string CertInfoXml(const std::string& cn, const std::string& orgID)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<certInfo>\n  <cn>" + XmlEscape(cn) + "</cn>\n  <orgID>"
        + XmlEscape(orgID) + "</orgID>\n</certInfo>\n";
}

void StoreWriter::AddCertificate(const std::string& cn, const std::string& orgID, const Bytes& p12)
{
    AddCertificate(cn, orgID, CertInfoXml(cn, orgID), p12);
}

void StoreWriter::AddCertificate(const std::string& cn, const std::string& orgID, const std::string& xml, const Bytes& p12)
{
    std::string name = CertificateValueName(cn, orgID);
    AddRecord(name, ToBytes(xml));
    if (!p12.empty())
        registry_.SetBinary(kCertStorePath, name, EncryptBlob(name, 0, 31, p12));
}

void StoreWriter::AddRecord(const std::string& valueName, const Bytes& plaintext)
{
    registry_.SetBinary(kCertInfoPath, valueName, EncryptBlob(valueName, 7, 25, plaintext));
}

void StoreWriter::AddRawRecordValue(const std::string& valueName, uint32_t type, Bytes data)
{
    registry_.SetValue(kCertInfoPath, valueName, type, std::move(data));
}

}  // namespace test_support
