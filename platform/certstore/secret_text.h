#pragma once
// Text that holds a secret (a password): kept in one buffer that is wiped before it is
// released, also when it grows, so no copy of the secret is left behind in freed memory.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::certstore {

// Overwrites n bytes in a way the compiler may not optimise away.
void WipeMemory(void* data, size_t n);

// Tests see every buffer that is about to be wiped, to check that each form a password took
// was; null (the default) for none.
using WipeObserver = void (*)(const void* data, size_t n);
void SetWipeObserver(WipeObserver observer);

template <typename CharT>
class SecretText {
public:
    SecretText() { text_.reserve(kInitialCapacity); }
    ~SecretText() { Clear(); }
    // Neither copied nor moved: a moved string can leave its characters in the source.
    SecretText(const SecretText&) = delete;
    SecretText& operator=(const SecretText&) = delete;

    void Append(CharT c)
    {
        if (text_.size() == text_.capacity())
            Grow();
        text_.push_back(c);
    }
    void Append(std::basic_string_view<CharT> part)
    {
        for (CharT c : part)
            Append(c);
    }
    // The character stays in the buffer until the wipe.
    void PopBack() { text_.pop_back(); }
    void Clear()
    {
        WipeMemory(text_.data(), text_.capacity() * sizeof(CharT));
        text_.clear();
    }

    const std::basic_string<CharT>& str() const { return text_; }
    const CharT* data() const { return text_.data(); }
    size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }

private:
    // Above the small-string size, so the characters always live in a heap buffer of our own.
    static constexpr size_t kInitialCapacity = 64;

    void Grow()
    {
        std::basic_string<CharT> larger;
        larger.reserve(text_.capacity() * 2);
        larger.append(text_);
        Clear();
        text_.swap(larger);
    }

    std::basic_string<CharT> text_;
};

// UTF-8 to UTF-16; a byte that starts no valid sequence becomes U+FFFD.
void WidenUtf8(std::string_view utf8, SecretText<char16_t>* utf16);

// The big-endian UCS-2 form that PKCS#12 derives its keys from, with its terminating zero pair.
void ToPkcs12PasswordBytes(const SecretText<char16_t>& password, SecretText<char>* bytes);

}  // namespace platform::certstore
