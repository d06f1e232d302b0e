#include "tests/bench/bare_query.h"

#include <memory>
#include <vector>

#include <openssl/evp.h>
#include <pugixml.hpp>

#include "tests/support/temp_dir.h"

namespace bench {

namespace {

int Hex(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

}  // namespace

int BareQuery(const std::string& path, const std::string& identifier)
{
    std::string file = test_support::ReadFileBytes(path);
    std::string_view text = file;
    const std::string_view header = "[Software\\\\DOZA\\\\CertStore\\\\CertInfo]";
    size_t pos = text.find(header);
    if (pos == std::string_view::npos)
        return 0;
    pos = text.find('\n', pos) + 1;

    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    EVP_CIPHER* cipher = EVP_CIPHER_fetch(nullptr, "AES-128-CBC", nullptr);
    std::vector<unsigned char> data;
    std::vector<unsigned char> plain;
    int matches = 0;
    while (pos < text.size() && text[pos] != '[') {
        size_t end = text.find('\n', pos);
        if (text[pos] != '"') {
            pos = end + 1;
            continue;
        }
        size_t close = text.find('"', pos + 1);
        std::string name(text.substr(pos + 1, close - pos - 1));
        data.clear();
        size_t i = close + 6;  // past "=hex:
        for (;;) {
            char c = text[i];
            if (c == '\n') {
                ++i;
                break;
            }
            if (c == '\\') {
                i += 4;  // "\\\n  "
                continue;
            }
            if (c == ',') {
                ++i;
                continue;
            }
            data.push_back(static_cast<unsigned char>(Hex(c) << 4 | Hex(text[i + 1])));
            i += 2;
        }
        pos = i;

        plain.resize(data.size() + 16);
        int n = 0;
        int f = 0;
        EVP_DecryptInit_ex(ctx.get(), cipher, nullptr, reinterpret_cast<const unsigned char*>(name.data() + 7),
                           reinterpret_cast<const unsigned char*>(name.data() + 25));
        EVP_DecryptUpdate(ctx.get(), plain.data(), &n, data.data(), static_cast<int>(data.size()));
        if (EVP_DecryptFinal_ex(ctx.get(), plain.data() + n, &f) != 1)
            f = 0;
        pugi::xml_document doc;
        if (!doc.load_buffer(plain.data(), static_cast<size_t>(n + f), pugi::parse_default, pugi::encoding_utf8))
            continue;
        std::string_view cn = doc.child("certInfo").child_value("cn");
        if (cn.find(identifier) != std::string_view::npos)
            ++matches;
    }
    EVP_CIPHER_free(cipher);
    return matches;
}

}  // namespace bench
