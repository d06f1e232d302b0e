#include <openssl/evp.h>

#include <gtest/gtest.h>

#include "store/cert_store_access.h"
#include "store/store_layout.h"
#include "tests/support/store_writer.h"

using test_support::Bytes;

namespace {

const unsigned char* Data(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

std::string Name(const std::string& keyString)
{
    return CCertStoreAccess().HashName(Data(keyString), static_cast<int32_t>(keyString.size()));
}

struct Decrypted {
    ResultCode result;
    Bytes plaintext;
};

Decrypted Decrypt(const std::string& key, const std::string& iv, const Bytes& ciphertext)
{
    std::unique_ptr<unsigned char[]> plaintext;
    int32_t length = 0;
    ResultCode result = CCertStoreAccess().AesDecrypt(Data(key), Data(iv), ciphertext.data(),
                                                      static_cast<int32_t>(ciphertext.size()), &plaintext, &length);
    return {result, plaintext ? Bytes(plaintext.get(), plaintext.get() + length) : Bytes()};
}

// Raw AES-128-CBC without padding, to build ciphertexts of any shape.
Bytes EncryptRaw(const std::string& key, const std::string& iv, const Bytes& blocks)
{
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    Bytes out(blocks.size() + 16);
    int n = 0;
    int f = 0;
    EVP_EncryptInit_ex(ctx.get(), EVP_aes_128_cbc(), nullptr, Data(key), Data(iv));
    EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
    EVP_EncryptUpdate(ctx.get(), out.data(), &n, blocks.data(), static_cast<int>(blocks.size()));
    EVP_EncryptFinal_ex(ctx.get(), out.data() + n, &f);
    out.resize(static_cast<size_t>(n + f));
    return out;
}

TEST(ValueNaming, IsTheUpperCaseHexSha256OfTheKeyStringBytes)
{
    struct Case {
        std::string keyString;
        std::string name;
    };
    const Case cases[] = {
        {"", "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"},
        {"abc", "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Name(c.keyString), c.name);
}

TEST(ValueNaming, HashesBytesAsTheyStand)
{
    std::string big5 = "\xB4\xFA\xB8\xD5@12345678";  // 測試 in Big5
    std::string utf8 = "測試@12345678";
    EXPECT_NE(Name(big5), Name(utf8));
    EXPECT_NE(Name("Abc@1"), Name("abc@1"));
    for (const std::string& keyString : {big5, utf8, std::string("Abc@1")}) {
        std::string name = Name(keyString);
        EXPECT_EQ(name.size(), 64u);
        EXPECT_EQ(name.find_first_not_of("0123456789ABCDEF"), std::string::npos) << name;
    }
}

TEST(ValueNaming, BytesToHexWritesTwoUpperCaseDigitsPerByte)
{
    const unsigned char bytes[] = {0x00, 0x0f, 0xa0, 0xff};
    EXPECT_EQ(CCertStoreAccess().BytesToHex(bytes, 4), "000FA0FF");
    EXPECT_EQ(CCertStoreAccess().BytesToHex(bytes, 0), "");
}

TEST(ValueNaming, ComputeSha256HandsOutA32ByteDigest)
{
    std::unique_ptr<unsigned char[]> digest;
    int32_t length = 0;
    EXPECT_EQ(CCertStoreAccess().ComputeSha256(Data("abc"), 3, &digest, &length), 0);
    EXPECT_EQ(length, 32);
    EXPECT_EQ(digest[0], 0xBA);
    EXPECT_EQ(digest[31], 0xAD);
}

const std::string kKey = "0123456789ABCDEF";
const std::string kIv = "FEDCBA9876543210";

TEST(AesDecrypt, FollowsTheCaseTable)
{
    Bytes fullPaddingBlock(16, 16);
    Bytes message = test_support::ToBytes("<certInfo/>");
    Bytes padded = test_support::EncryptBlob(kKey + "X" + kIv, 0, 17, message);
    Bytes twoBlocks = test_support::EncryptBlob(kKey + "X" + kIv, 0, 17, Bytes(20, 'a'));
    Bytes twenty = EncryptRaw(kKey, kIv, Bytes(16, 'z'));
    twenty.insert(twenty.end(), {1, 2, 3, 4});

    struct Case {
        const char* what;
        Bytes ciphertext;
        ResultCode result;
        Bytes plaintext;
    };
    const Case cases[] = {
        {"valid padding", padded, 0, message},
        {"a single full padding block", EncryptRaw(kKey, kIv, fullPaddingBlock), 1, {}},
        {"20 bytes: the incomplete tail is ignored", twenty, 0, Bytes(16, 'z')},
        {"15 bytes: no complete block", Bytes(15, 7), 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Decrypted d = Decrypt(kKey, kIv, c.ciphertext);
        EXPECT_EQ(d.result, c.result);
        EXPECT_EQ(d.plaintext, c.plaintext);
    }

    // With a wrong key the last block's padding is invalid, and the first n - 16 bytes
    // come out as garbage with success.
    Decrypted wrong = Decrypt("0123456789ABCDEX", kIv, twoBlocks);
    EXPECT_EQ(wrong.result, 0);
    EXPECT_EQ(wrong.plaintext.size(), 16u);
    EXPECT_NE(wrong.plaintext, Bytes(16, 'a'));
}

TEST(AesDecrypt, LeavesItsOutputsAloneWhenThereIsNothingToDecrypt)
{
    auto sentinel = std::make_unique<unsigned char[]>(1);
    unsigned char* before = sentinel.get();
    int32_t length = 0;
    unsigned char ciphertext[1] = {0};
    for (int32_t n : {0, -16}) {
        EXPECT_EQ(CCertStoreAccess().AesDecrypt(Data(kKey), Data(kIv), ciphertext, n, &sentinel, &length), 1);
        EXPECT_EQ(sentinel.get(), before);
        EXPECT_EQ(length, 0);
    }
}

TEST(KeyWindows, OnlyTheWindowCharactersOfTheNameMatter)
{
    const std::string name = Name("王小明@12345678");
    Bytes xml = test_support::ToBytes("<certInfo><cn>x</cn></certInfo>");
    struct Case {
        KeyWindows windows;
        size_t freeFrom;
        size_t freeTo;
    };
    const Case cases[] = {
        {kCertificateWindows, 16, 30},
        {kCertInfoWindows, 23, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windows.keyOffset);
        Bytes ciphertext = test_support::EncryptBlob(name, c.windows.keyOffset, c.windows.ivOffset, xml);
        std::string altered = name;
        for (size_t i = c.freeFrom; i <= c.freeTo; ++i)
            altered[i] = altered[i] == '0' ? '1' : '0';
        for (const std::string& n : {name, altered}) {
            WindowBuffer key = CutWindow(n, c.windows.keyOffset);
            WindowBuffer iv = CutWindow(n, c.windows.ivOffset);
            EXPECT_EQ(key[16], 0);
            Decrypted d = Decrypt(std::string(key.begin(), key.begin() + 16), std::string(iv.begin(), iv.begin() + 16),
                                  ciphertext);
            EXPECT_EQ(d.plaintext, xml);
        }
        // A character inside the key window does matter.
        std::string broken = name;
        broken[c.windows.keyOffset] = broken[c.windows.keyOffset] == '0' ? '1' : '0';
        WindowBuffer key = CutWindow(broken, c.windows.keyOffset);
        WindowBuffer iv = CutWindow(broken, c.windows.ivOffset);
        EXPECT_NE(Decrypt(std::string(key.begin(), key.begin() + 16), std::string(iv.begin(), iv.begin() + 16),
                          ciphertext).plaintext, xml);
    }
}

}  // namespace
