#include "platform/certstore/secret_text.h"

#include <openssl/crypto.h>

namespace platform::certstore {

namespace {

WipeObserver g_wipeObserver = nullptr;

}  // namespace

void WipeMemory(void* data, size_t n)
{
    if (data == nullptr || n == 0)
        return;
    if (g_wipeObserver != nullptr)
        g_wipeObserver(data, n);
    OPENSSL_cleanse(data, n);
}

void SetWipeObserver(WipeObserver observer)
{
    g_wipeObserver = observer;
}

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Decodes the sequence at utf8[*pos], moving *pos past it; an invalid one gives U+FFFD and
// moves one byte, so the next byte gets its own chance.
char32_t DecodeOne(std::string_view utf8, size_t* pos)
{
    const auto lead = static_cast<unsigned char>(utf8[*pos]);
    size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++*pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        ++*pos;
        return kReplacement;
    }
    if (utf8.size() - *pos < length) {
        ++*pos;
        return kReplacement;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[*pos + i]);
        if (!IsContinuation(byte)) {
            ++*pos;
            return kReplacement;
        }
        code = (code << 6) | (byte & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++*pos;
        return kReplacement;
    }
    *pos += length;
    return code;
}

}  // namespace

void WidenUtf8(std::string_view utf8, SecretText<char16_t>* utf16)
{
    utf16->Clear();
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t code = DecodeOne(utf8, &pos);
        if (code >= 0x10000) {
            code -= 0x10000;
            utf16->Append(static_cast<char16_t>(0xD800 + (code >> 10)));
            utf16->Append(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            utf16->Append(static_cast<char16_t>(code));
        }
    }
}

void ToPkcs12PasswordBytes(const SecretText<char16_t>& password, SecretText<char>* bytes)
{
    bytes->Clear();
    for (char16_t unit : password.str()) {
        bytes->Append(static_cast<char>(unit >> 8));
        bytes->Append(static_cast<char>(unit & 0xFF));
    }
    bytes->Append('\0');
    bytes->Append('\0');
}

}  // namespace platform::certstore
