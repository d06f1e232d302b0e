// Message texts in dizored-cli: the --lang option, the message command, and the text of 10001
// when a query finds nothing.

#include <charconv>
#include <cstdio>

#include "cli/commands.h"
#include "messages/display_text.h"
#include "messages/message_language.h"
#include "messages/result_messages.h"

namespace {

// The dialog shows the code of an empty or fruitless query as "ID錯誤".
constexpr ResultCode kIdentifierError = 10001;

void PrintMessage(std::FILE* stream, ResultCode code, int codePage)
{
    CResultMessages messages;
    std::string text = MessageToUtf8(messages.GetText(code, codePage), codePage);
    std::fprintf(stream, "%.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace

bool ParseLanguage(const std::string& language, int& codePage)
{
    if (language == "zh-TW")
        codePage = kDialogCodePage;
    else if (language == "zh-CN")
        codePage = messages::kSimplifiedChineseCodePage;
    else if (language == "en")
        codePage = messages::kEnglishCodePage;
    else
        return false;
    return true;
}

bool ParseResultCode(const std::string& text, ResultCode& code)
{
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, code);
    return !text.empty() && error == std::errc() && stop == end;
}

int RunMessageCommand(ResultCode code, int codePage)
{
    PrintMessage(stdout, code, codePage);
    return 0;
}

int ReportQueryOutcome(int queryStatus, int codePage)
{
    if (queryStatus == kQueryFoundNothing)
        PrintMessage(stderr, kIdentifierError, codePage);
    return queryStatus;
}
