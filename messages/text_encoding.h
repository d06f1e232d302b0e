#pragma once
// Conversion between character encodings, by the names glibc's iconv knows ("UTF-8", "GBK", "BIG5").

#include <optional>
#include <string>
#include <string_view>

// Converts text from one encoding to another. Bytes that fromCode cannot decode become
// `replacement` when one is given (written in toCode), and fail the conversion when it is empty.
// Returns nothing when an encoding is unknown or the conversion fails.
std::optional<std::string> ConvertText(std::string_view text, const char* fromCode, const char* toCode,
                                       std::string_view replacement = {});
