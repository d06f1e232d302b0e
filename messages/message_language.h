#pragma once
// Which message table a code page selects. Only 437 and 936 are told apart; every other value,
// 0 and 950 included, means Traditional Chinese.

namespace messages {

enum class MessageLanguage { kEnglish, kSimplifiedChinese, kTraditionalChinese };

constexpr int kEnglishCodePage = 437;
constexpr int kSimplifiedChineseCodePage = 936;

constexpr MessageLanguage LanguageOfCodePage(int codePage)
{
    if (codePage == kEnglishCodePage)
        return MessageLanguage::kEnglish;
    if (codePage == kSimplifiedChineseCodePage)
        return MessageLanguage::kSimplifiedChinese;
    return MessageLanguage::kTraditionalChinese;
}

}  // namespace messages
