// The generated message tables against the catalogue they come from and the rules every text keeps.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "messages/catalogue.h"
#include "messages/display_text.h"
#include "messages/message_tables.h"
#include "messages/result_messages.h"
#include "messages/text_encoding.h"

namespace {

using messages::MessageEntry;
using messages::MessageTable;

struct Language {
    const char* name;
    const MessageTable& table;
    int codePage;
    const char* encoding;
    const char* CatalogueTexts::*texts;
};

const Language kLanguages[] = {
    {"English", messages::kEnglishTable, 437, "ASCII", &CatalogueTexts::english},
    {"Simplified Chinese", messages::kSimplifiedChineseTable, 936, "GBK", &CatalogueTexts::simplified},
    {"Traditional Chinese", messages::kTraditionalChineseTable, 950, "BIG5", &CatalogueTexts::traditional},
};

std::set<ResultCode> CodesOf(const MessageTable& table)
{
    std::set<ResultCode> codes;
    for (const MessageEntry& entry : table.entries)
        codes.insert(entry.code);
    return codes;
}

std::string ReplaceConversion(std::string format, ResultCode code)
{
    size_t at = format.find("%d");
    if (at != std::string::npos)
        format.replace(at, 2, std::to_string(code));
    return format;
}

TEST(MessageCatalogueTest, TablesHaveTheirSizes)
{
    EXPECT_EQ(messages::kEnglishTable.entries.size(), 167u);
    EXPECT_EQ(messages::kSimplifiedChineseTable.entries.size(), 166u);
    EXPECT_EQ(messages::kTraditionalChineseTable.entries.size(), 169u);
}

TEST(MessageCatalogueTest, TablesDifferOnlyIn1004And1006And10001)
{
    const std::set<ResultCode> english = CodesOf(messages::kEnglishTable);
    const std::set<ResultCode> simplified = CodesOf(messages::kSimplifiedChineseTable);
    const std::set<ResultCode> traditional = CodesOf(messages::kTraditionalChineseTable);

    std::set<ResultCode> all = english;
    all.insert(simplified.begin(), simplified.end());
    all.insert(traditional.begin(), traditional.end());
    EXPECT_EQ(all.size(), 169u);

    std::vector<ResultCode> inEveryTable;
    for (ResultCode code : all) {
        if (english.count(code) && simplified.count(code) && traditional.count(code))
            inEveryTable.push_back(code);
    }
    EXPECT_EQ(inEveryTable.size(), 166u);

    std::vector<ResultCode> notInEvery;
    std::set_difference(all.begin(), all.end(), inEveryTable.begin(), inEveryTable.end(),
                        std::back_inserter(notInEvery));
    EXPECT_EQ(notInEvery, (std::vector<ResultCode>{1004, 1006, 10001}));
    EXPECT_TRUE(english.count(1004) && traditional.count(1004) && !simplified.count(1004));
    EXPECT_EQ(traditional, all);
}

TEST(MessageCatalogueTest, EntriesAscendSoThatTheLookupFindsThem)
{
    for (const Language& language : kLanguages) {
        const auto& entries = language.table.entries;
        EXPECT_TRUE(std::adjacent_find(entries.begin(), entries.end(), [](const MessageEntry& a, const MessageEntry& b) {
                        return a.code >= b.code;
                    }) == entries.end())
            << language.name;
    }
}

// Every format holds "%" only as its one "%d", which closes the text as "(%d)"; a Big5 or GBK
// trailing byte in the ASCII range must never read as "%". The one exception is "ID錯誤".
TEST(MessageCatalogueTest, EveryFormatEndsInItsConversion)
{
    for (const Language& language : kLanguages) {
        for (const MessageEntry& entry : language.table.entries) {
            const std::string format = entry.format;
            SCOPED_TRACE(std::string(language.name) + " " + std::to_string(entry.code));
            EXPECT_LE(format.size(), 115u);
            if (language.codePage == 950 && entry.code == 10001) {
                EXPECT_EQ(format, std::string("ID\xBF\xF9\xBB\x7E"));
                continue;
            }
            EXPECT_EQ(std::count(format.begin(), format.end(), '%'), 1);
            ASSERT_GE(format.size(), 4u);
            EXPECT_EQ(format.substr(format.size() - 4), "(%d)");
        }
        const std::string fallback = language.table.fallback;
        EXPECT_EQ(std::count(fallback.begin(), fallback.end(), '%'), 1) << language.name;
        EXPECT_EQ(fallback.substr(fallback.size() - 5), "(%d) ") << language.name;
    }
}

TEST(MessageCatalogueTest, TheLongestFormatIsTheEnglish1500)
{
    size_t longest = 0;
    for (const Language& language : kLanguages) {
        for (const MessageEntry& entry : language.table.entries)
            longest = std::max(longest, std::string(entry.format).size());
    }
    const auto& english = messages::kEnglishTable.entries;
    auto entry1500 = std::find_if(english.begin(), english.end(), [](const MessageEntry& e) { return e.code == 1500; });
    ASSERT_NE(entry1500, english.end());
    EXPECT_EQ(longest, 115u);
    EXPECT_EQ(std::string(entry1500->format).size(), longest);
}

// The tables are the catalogue's texts in their code pages: each decodes back to the UTF-8 it
// was written in, and GetText prints each with its code.
TEST(MessageCatalogueTest, EveryCatalogueTextComesBackFromGetText)
{
    CResultMessages messages;
    for (const Language& language : kLanguages) {
        for (const CatalogueRow& row : kCatalogue) {
            const char* text = row.texts.*language.texts;
            const char* utf8 = text != kNoEntry ? text : kCatalogueFallback.*language.texts;
            SCOPED_TRACE(std::string(language.name) + " " + std::to_string(row.code));

            std::optional<std::string> format = ConvertText(utf8, "UTF-8", language.encoding);
            ASSERT_TRUE(format);
            const std::string printed = messages.GetText(row.code, language.codePage);
            EXPECT_EQ(printed, ReplaceConversion(*format, row.code));
            EXPECT_EQ(MessageToUtf8(printed, language.codePage), ReplaceConversion(utf8, row.code));
        }
    }
}

// The Chinese texts that are fixed word for word (the rest are translations of the English list),
// as GetText prints them; kNoEntry stands for the table's fallback.
TEST(MessageCatalogueTest, FixedChineseTextsAreExact)
{
    const struct {
        ResultCode code;
        const char* simplified;
        const char* traditional;
    } rows[] = {
        {0, "成功(%d)", "成功(%d)"},
        {5001, "一般错误(%d)", "一般錯誤(%d)"},
        {5050, "物件不存在(%d)", "物件不存在(%d)"},
        {5201, "开启\"个人证书区\"失败(%d)", "開啟\"個人憑證區\"失敗(%d)"},
        {5208, "PKCS12 密码错误(%d)", "PKCS12 密碼錯誤(%d)"},
        {10001, kNoEntry, "ID錯誤"},
        {7715, "XML 文档不存在或格式错误(%d)", "XML文件不存在或格式錯誤(%d)"},
        {1004, kNoEntry, "指定條件之PFX已存在(%d)"},
        {1006, kNoEntry, "載入 DLL Function Name 失敗(%d)"},
        {5212, "不支援 DOZA Cert Store(%d)", "不支援 DOZA Cert Store(%d)"},
        {5213, "开启 DOZA Cert Store 失败(%d)", "開啟 DOZA Cert Store 憑證區失敗(%d)"},
        {5214, "PFX 证书汇入至 DOZA Cert Store 失败(%d)", "PFX 憑證匯入至 DOZA Cert Store 憑證區失敗(%d)"},
        {5215, "手机格式证书汇入至 DOZA Cert Store 失败(%d)", "手機格式 憑證匯入至 DOZA Cert Store 憑證區失敗(%d)"},
        {3002, "认证失败(%d)", "認證失敗(%d)"},
        {3003, "主机不受信任, 认证失败(%d)", "下單主機不受信任, 認證失敗(%d)"},
        {3004, "认证识别元错误, 认证失败(%d)", "認證(回覆)識別元錯誤, 認證失敗(%d)"},
        {3202, "智能卡拔插, 作业逾时(%d)", "智慧卡拔插, 作業逾時(%d)"},
        {3203, "智能卡拔插错误(%d)", "智慧卡拔插錯誤(%d)"},
        {3205, "智能卡服务已经停止(%d)", "智慧卡服務已經停止(%d)"},
        {5028, "证书已撤销(%d)", "憑證已被CRL撤銷(%d)"},
        {5031, "不合法的 CRL(%d)", "不合法的CRL(%d)"},
        {5036, "不合法的签章值(%d)", "不合法的簽章(%d)"},
        {5047, "作业系统不支援此 CSP(%d)", "作業系統不支援此 CSP(%d)"},
        {5048, "使用 AES/SHA2 CSP 失败, 作业系统不支援(%d)", "強制使用 AES/SHA2 CSP 失敗, 作業系統不支援(%d)"},
        {5049, "禁止变更使用其他 CSP(%d)", "強制使用 AES/SHA2 CSP 情況下, 禁止變更使用其他 CSP(%d)"},
        {5054, "PKCS7 证书验证失败(%d)", "PKCS7憑證驗證失敗(%d)"},
        {5060, "金钥不存在(%d)", "金鑰不存在(%d)"},
        {5222, "开启\"信任中级证书区\"失败(%d)", "開啟\"信任中繼憑證區\"失敗(%d)"},
        {5400, "证书档案不存在, 请确认证书文件夹(%d)", "憑證檔案不存在，請確認憑證路徑(%d)"},
        {5902, "File Not Found(%d)", "File Not Found(%d)"},
        {5903, "Path Not Found(%d)", "Path Not Found(%d)"},
        {5904, "Network path was not found(%d)", "Network path was not found(%d)"},
        {5905, "Unknown logon user name or bad password(%d)", "Unknown logon user name or bad password(%d)"},
        {7701, "一般错误(%d)", "一般錯誤(%d)"},
        {9002, "加密格式错误(%d)", "加解格式錯誤(%d)"},
        {9505, "PDF 档尚未解密(%d)", "PDF 檔尚未解密(%d)"},
    };
    CResultMessages messages;
    for (const auto& row : rows) {
        const Language& simplified = kLanguages[1];
        const Language& traditional = kLanguages[2];
        for (const auto& [language, text] :
             {std::pair{&simplified, row.simplified}, std::pair{&traditional, row.traditional}}) {
            const char* utf8 = text != kNoEntry ? text : kCatalogueFallback.*language->texts;
            EXPECT_EQ(MessageToUtf8(messages.GetText(row.code, language->codePage), language->codePage),
                      ReplaceConversion(utf8, row.code))
                << language->name << " " << row.code;
        }
    }
}

// Only the Traditional Chinese 5400 has a full-width comma; everywhere else the commas are ASCII.
TEST(MessageCatalogueTest, OneFullWidthComma)
{
    std::vector<std::string> holders;
    for (const Language& language : kLanguages) {
        for (const MessageEntry& entry : language.table.entries) {
            if (MessageToUtf8(entry.format, language.codePage).find("，") != std::string::npos)
                holders.push_back(std::string(language.name) + " " + std::to_string(entry.code));
        }
    }
    EXPECT_EQ(holders, std::vector<std::string>{"Traditional Chinese 5400"});
}

}  // namespace
