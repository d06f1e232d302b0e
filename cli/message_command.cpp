// Message texts in dizored-cli: the --lang option and the message command.

#include <charconv>
#include <cstdio>

#include "cli/commands.h"
#include "messages/display_text.h"
#include "messages/message_language.h"
#include "messages/result_messages.h"

void PrintCodeText(std::FILE* stream, ResultCode code, int codePage)
{
    CResultMessages messages;
    std::string text = MessageToUtf8(messages.GetText(code, codePage), codePage);
    std::fprintf(stream, "%.*s\n", static_cast<int>(text.size()), text.data());
}

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
    PrintCodeText(stdout, code, codePage);
    return 0;
}
