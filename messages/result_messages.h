#pragma once
// Turns a ResultCode into the text of its message.

#include <string>

#include "store/result_code.h"

class CResultMessages {
public:
    // The text of `code` from the table that codePage selects: 437 English (ASCII), 936 Simplified
    // Chinese (GBK), any other value Traditional Chinese (Big5). The bytes are the table's code
    // page, unconverted; a code without an entry takes the table's fallback. Every code and code
    // page yields a text.
    std::string GetText(ResultCode code, int codePage) const;

private:
    std::string EnglishText(ResultCode code) const;
    std::string SimplifiedChineseText(ResultCode code) const;
    std::string TraditionalChineseText(ResultCode code) const;
};
