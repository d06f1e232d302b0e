// The password buffer: wiped when cleared, intact when it grows; and the conversions that
// carry a password to the certificate store.

#include <gtest/gtest.h>

#include "platform/certstore/secret_text.h"

using platform::certstore::SecretText;
using platform::certstore::ToPkcs12PasswordBytes;
using platform::certstore::WidenUtf8;

namespace {

std::u16string Widen(const std::string& utf8)
{
    SecretText<char16_t> wide;
    WidenUtf8(utf8, &wide);
    return wide.str();
}

TEST(SecretTextTest, ClearWipesTheCharactersInTheBuffer)
{
    SecretText<char> secret;
    secret.Append(std::string_view("hunter2"));
    const char* buffer = secret.data();  // the buffer stays allocated after Clear
    secret.Clear();
    EXPECT_TRUE(secret.empty());
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(buffer[i], '\0') << i;
}

TEST(SecretTextTest, GrowingKeepsTheTextAndPopBackDropsTheLastCharacter)
{
    SecretText<char> secret;
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        secret.Append(static_cast<char>('a' + i % 26));
        expected += static_cast<char>('a' + i % 26);
    }
    EXPECT_EQ(secret.str(), expected);
    secret.PopBack();
    expected.pop_back();
    EXPECT_EQ(secret.str(), expected);
}

TEST(WidenUtf8Test, ConvertsEveryWellFormedSequence)
{
    EXPECT_EQ(Widen(""), u"");
    EXPECT_EQ(Widen("secret"), u"secret");
    EXPECT_EQ(Widen("密碼é秘"), u"密碼é秘");
    EXPECT_EQ(Widen("\xF0\x9F\x98\x80"), std::u16string({0xD83D, 0xDE00}));  // outside the BMP: a surrogate pair
}

TEST(WidenUtf8Test, ReplacesEachByteOfAnIllFormedSequence)
{
    const std::u16string bad(1, u'\uFFFD');
    struct Case {
        const char* utf8;
        std::u16string utf16;
    } cases[] = {
        {"\xFF", bad},
        {"a\x80z", u"a" + bad + u"z"},
        {"\xE5\xAF", bad + bad},                   // cut short
        {"\xC0\xAF", bad + bad},                   // overlong '/'
        {"\xED\xA0\x80", bad + bad + bad},         // an encoded surrogate
        {"\xF4\x90\x80\x80", bad + bad + bad + bad},  // above U+10FFFF
    };
    for (const Case& c : cases)
        EXPECT_EQ(Widen(c.utf8), c.utf16) << c.utf8;
}

TEST(ToPkcs12PasswordBytesTest, BigEndianWithATerminatingZeroPair)
{
    SecretText<char16_t> wide;
    SecretText<char> bytes;
    WidenUtf8("Aé密", &wide);
    ToPkcs12PasswordBytes(wide, &bytes);
    EXPECT_EQ(bytes.str(), std::string("\x00\x41\x00\xE9\x5B\xC6\x00\x00", 8));

    wide.Clear();
    ToPkcs12PasswordBytes(wide, &bytes);
    EXPECT_EQ(bytes.str(), std::string(2, '\0'));
}

}  // namespace
