// Any code with any code-page selector: a text always comes back, within its bounds, and turns
// into UTF-8 for display.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "messages/display_text.h"
#include "messages/result_messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8)
        return 0;
    int32_t code = 0;
    int32_t codePage = 0;
    std::memcpy(&code, data, 4);
    std::memcpy(&codePage, data + 4, 4);
    std::string text = CResultMessages().GetText(code, codePage);
    // The longest format (115 bytes) with a ten-digit code and its sign.
    if (text.empty() || text.size() > 124)
        __builtin_trap();
    if (MessageToUtf8(text, codePage).empty())
        __builtin_trap();
    return 0;
}
