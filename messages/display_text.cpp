#include "messages/display_text.h"

#include <optional>

#include "messages/message_language.h"
#include "messages/text_encoding.h"

namespace {

constexpr const char* kReplacementCharacter = "\uFFFD";

// Without the converter, the ASCII of the text survives and the rest is marked as lost.
std::string AsciiOnly(const std::string& text)
{
    std::string shown;
    for (char byte : text)
        shown += static_cast<unsigned char>(byte) < 0x80 ? std::string(1, byte) : kReplacementCharacter;
    return shown;
}

}  // namespace

std::string MessageToUtf8(const std::string& text, int codePage)
{
    const char* encoding = "BIG5";
    switch (messages::LanguageOfCodePage(codePage)) {
    case messages::MessageLanguage::kEnglish:
        return text;
    case messages::MessageLanguage::kSimplifiedChinese:
        encoding = "GBK";
        break;
    case messages::MessageLanguage::kTraditionalChinese:
        break;
    }
    std::optional<std::string> utf8 = ConvertText(text, encoding, "UTF-8", kReplacementCharacter);
    return utf8 ? *utf8 : AsciiOnly(text);
}
