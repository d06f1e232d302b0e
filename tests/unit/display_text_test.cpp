// MessageToUtf8: a table's bytes shown as UTF-8.

#include <gtest/gtest.h>

#include <string>

#include "messages/display_text.h"
#include "messages/result_messages.h"

namespace {

TEST(MessageToUtf8Test, DecodesEachTableByItsCodePage)
{
    CResultMessages messages;
    const struct {
        ResultCode code;
        int codePage;
        std::string utf8;
    } cases[] = {
        {0, 0, "成功(0)"},
        {0, 950, "成功(0)"},
        {0, 936, "成功(0)"},
        {0, 437, "Success(0)"},
        {10001, 0, "ID錯誤"},
        {5208, 1252, "PKCS12 密碼錯誤(5208)"},
        {5208, 936, "PKCS12 密码错误(5208)"},
        {5400, 0, "憑證檔案不存在，請確認憑證路徑(5400)"},
        {42, -1, "錯誤碼未定義(42) "},
        {42, 936, "错误码未定义(42) "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageToUtf8(messages.GetText(c.code, c.codePage), c.codePage), c.utf8)
            << c.code << " in code page " << c.codePage;
}

TEST(MessageToUtf8Test, EnglishPassesThroughUnchanged)
{
    EXPECT_EQ(MessageToUtf8("Undefined(-1) ", 437), "Undefined(-1) ");
    EXPECT_EQ(MessageToUtf8("", 437), "");
}

// Bytes that are no character of the code page are shown as U+FFFD and the rest survives.
TEST(MessageToUtf8Test, MarksUndecodableBytes)
{
    const struct {
        std::string bytes;
        int codePage;
        std::string utf8;
    } cases[] = {
        {"", 0, ""},
        {"\xFF(5)", 0, "\uFFFD(5)"},
        {"(5)\xA6", 0, "(5)\uFFFD"},           // a lead byte cut off at the end
        {"\xA6\xA8\xA5", 950, "成\uFFFD"},
        {"\xFF\xB3\xC9", 936, "\uFFFD成"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageToUtf8(c.bytes, c.codePage), c.utf8) << c.codePage;
}

}  // namespace
