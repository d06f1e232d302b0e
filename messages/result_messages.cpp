#include "messages/result_messages.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "messages/message_language.h"
#include "messages/message_tables.h"

namespace {

// Room for the longest format (115 bytes) with a ten-digit code and its sign, and the final zero.
constexpr size_t kWorkBufferSize = 200;

const char* FindFormat(const messages::MessageTable& table, ResultCode code)
{
    auto entry = std::lower_bound(table.entries.begin(), table.entries.end(), code,
                                  [](const messages::MessageEntry& e, ResultCode c) { return e.code < c; });
    if (entry != table.entries.end() && entry->code == code)
        return entry->format;
    return table.fallback;
}

std::string PrintMessage(const messages::MessageTable& table, ResultCode code)
{
    // Zero-filled, so that the text ends at the first zero byte whatever the format printed. The
    // formats are the build's own, with no conversion but one "%d"; a format without one (the
    // Traditional Chinese 10001) leaves the argument unused.
    std::vector<char> buffer(kWorkBufferSize, '\0');
    std::snprintf(buffer.data(), buffer.size(), FindFormat(table, code), static_cast<int>(code));
    return std::string(buffer.data());
}

}  // namespace

std::string CResultMessages::GetText(ResultCode code, int codePage) const
{
    switch (messages::LanguageOfCodePage(codePage)) {
    case messages::MessageLanguage::kEnglish:
        return EnglishText(code);
    case messages::MessageLanguage::kSimplifiedChinese:
        return SimplifiedChineseText(code);
    case messages::MessageLanguage::kTraditionalChinese:
        break;
    }
    return TraditionalChineseText(code);
}

std::string CResultMessages::EnglishText(ResultCode code) const
{
    return PrintMessage(messages::kEnglishTable, code);
}

std::string CResultMessages::SimplifiedChineseText(ResultCode code) const
{
    return PrintMessage(messages::kSimplifiedChineseTable, code);
}

std::string CResultMessages::TraditionalChineseText(ResultCode code) const
{
    return PrintMessage(messages::kTraditionalChineseTable, code);
}
