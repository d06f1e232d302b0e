#pragma once

#include <string_view>

namespace framework {

// The diagnostic trace: standard error, the text as given (lines carry their own line feed).
void Trace(std::string_view text);

}  // namespace framework
