// CResultMessages::GetText: table selection, the printed code, fallbacks and the exact bytes.

#include <clocale>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "messages/result_messages.h"
#include "messages/text_encoding.h"

namespace {

// The expected texts are written here in UTF-8 and compared in the code page of their table.
std::string Encoded(const std::string& utf8, int codePage)
{
    const char* encoding = codePage == 437 ? "ASCII" : codePage == 936 ? "GBK" : "BIG5";
    std::optional<std::string> bytes = ConvertText(utf8, "UTF-8", encoding);
    EXPECT_TRUE(bytes) << utf8;
    return bytes.value_or("");
}

struct TextCase {
    ResultCode code;
    int codePage;
    std::string utf8;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.code << " in code page " << c.codePage << ": " << c.utf8;
}

std::string CaseName(const ::testing::TestParamInfo<TextCase>& info)
{
    auto number = [](long long n) { return (n < 0 ? "Minus" : "") + std::to_string(n < 0 ? -n : n); };
    return "Code" + number(info.param.code) + "_CodePage" + number(info.param.codePage);
}

class GetTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(GetTextTest, PrintsTheCodeIntoItsTablesText)
{
    const TextCase& c = GetParam();
    CResultMessages messages;
    EXPECT_EQ(messages.GetText(c.code, c.codePage), Encoded(c.utf8, c.codePage));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GetTextTest,
    ::testing::Values(
        // Success, under the dialog's table and in English.
        TextCase{0, 0, "成功(0)"}, TextCase{0, 437, "Success(0)"}, TextCase{0, 936, "成功(0)"},
        // Any code page but 437 and 936 means Traditional Chinese.
        TextCase{5208, 0, "PKCS12 密碼錯誤(5208)"}, TextCase{5208, 950, "PKCS12 密碼錯誤(5208)"},
        TextCase{5208, 1252, "PKCS12 密碼錯誤(5208)"}, TextCase{5208, -1, "PKCS12 密碼錯誤(5208)"},
        TextCase{5208, 437, "PFX(P12) password error(5208)"}, TextCase{5208, 936, "PKCS12 密码错误(5208)"},
        // 10001 has an entry only in Traditional Chinese, and that entry prints no number.
        TextCase{10001, 0, "ID錯誤"}, TextCase{10001, 437, "Undefined(10001) "},
        TextCase{10001, 936, "错误码未定义(10001) "},
        // 1004 is missing from Simplified Chinese alone; 1006 is in Traditional Chinese alone.
        TextCase{1004, 936, "错误码未定义(1004) "}, TextCase{1004, 437, "Error! PFX file already exists(1004)"},
        TextCase{1004, 0, "指定條件之PFX已存在(1004)"}, TextCase{1006, 437, "Undefined(1006) "},
        TextCase{1006, 936, "错误码未定义(1006) "}, TextCase{1006, 0, "載入 DLL Function Name 失敗(1006)"},
        // The other codes the system produces.
        TextCase{5001, 0, "一般錯誤(5001)"}, TextCase{5050, 0, "物件不存在(5050)"},
        TextCase{5201, 0, "開啟\"個人憑證區\"失敗(5201)"}, TextCase{5201, 936, "开启\"个人证书区\"失败(5201)"},
        TextCase{7715, 0, "XML文件不存在或格式錯誤(7715)"},
        // The full-width comma is in the Traditional Chinese 5400 only.
        TextCase{5400, 0, "憑證檔案不存在，請確認憑證路徑(5400)"},
        TextCase{5400, 936, "证书档案不存在, 请确认证书文件夹(5400)"},
        // The Chinese tables word 5902 to 5904 in English, differently from the English table.
        TextCase{5902, 437, "File not found(5902)"}, TextCase{5902, 0, "File Not Found(5902)"},
        TextCase{5904, 936, "Network path was not found(5904)"},
        // Codes inside a family but without an entry, and codes outside every family.
        TextCase{5009, 0, "錯誤碼未定義(5009) "}, TextCase{5069, 936, "错误码未定义(5069) "},
        TextCase{3510, 437, "Undefined(3510) "}, TextCase{42, 0, "錯誤碼未定義(42) "},
        TextCase{1, 0, "錯誤碼未定義(1) "},
        // Negative codes and the ends of the 32-bit range print every digit and the sign.
        TextCase{-1, 437, "Undefined(-1) "}, TextCase{-5208, 0, "錯誤碼未定義(-5208) "},
        TextCase{INT32_MIN, 0, "錯誤碼未定義(-2147483648) "}, TextCase{INT32_MIN, 437, "Undefined(-2147483648) "},
        TextCase{INT32_MIN, 936, "错误码未定义(-2147483648) "},
        TextCase{INT32_MAX, 0, "錯誤碼未定義(2147483647) "}),
    CaseName);

// The bytes themselves, independent of any converter: Big5 and GBK, not UTF-8 or a wide string.
TEST(GetTextBytesTest, SuccessIsBig5UnderTheDialogsTableAndGbkUnder936)
{
    CResultMessages messages;
    EXPECT_EQ(messages.GetText(0, 0), std::string("\xA6\xA8\xA5\x5C(0)"));
    EXPECT_EQ(messages.GetText(0, 936), std::string("\xB3\xC9\xB9\xA6(0)"));
    // The trailing byte 0x5C of 功 is part of the character, never an escape.
    EXPECT_EQ(messages.GetText(0, 950).size(), 7u);
}

// The dialog runs in the user's locale (a Qt application sets it from the environment). Printing a
// Big5 or GBK format under a UTF-8 locale must still copy its bytes as they stand.
TEST(GetTextBytesTest, TheUsersLocaleDoesNotChangeTheBytes)
{
    CResultMessages messages;
    const std::string before[] = {messages.GetText(0, 0), messages.GetText(5201, 0), messages.GetText(5400, 936)};
    std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    const std::string after[] = {messages.GetText(0, 0), messages.GetText(5201, 0), messages.GetText(5400, 936)};
    std::setlocale(LC_ALL, previous.c_str());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(after[i], before[i]);
}

TEST(GetTextBytesTest, TraditionalChinese5400HoldsTheBig5FullWidthComma)
{
    CResultMessages messages;
    std::string text = messages.GetText(5400, 0);
    EXPECT_NE(text.find("\xA1\x41\xBD\xD0", 0), std::string::npos) << "full-width comma, then 請";
    EXPECT_EQ(text.find(','), std::string::npos);
}

// The selector tests two exact values; the neighbours of 437 and 936 are Traditional Chinese.
TEST(GetTextSelectorTest, OnlyExactly437And936LeaveTraditionalChinese)
{
    CResultMessages messages;
    const std::string english = "Undefined(42) ";
    const std::string simplified = Encoded("错误码未定义(42) ", 936);
    const std::string traditional = Encoded("錯誤碼未定義(42) ", 950);
    const struct {
        int codePage;
        const std::string& expected;
    } cases[] = {
        {437, english},       {936, simplified},    {0, traditional},     {950, traditional},
        {1252, traditional},  {-1, traditional},    {436, traditional},   {438, traditional},
        {935, traditional},   {937, traditional},   {65001, traditional}, {INT_MIN, traditional},
        {INT_MAX, traditional},
    };
    for (const auto& c : cases)
        EXPECT_EQ(messages.GetText(42, c.codePage), c.expected) << "code page " << c.codePage;
}

}  // namespace
