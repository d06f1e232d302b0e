#pragma once
// The three message tables, holding their code page's bytes: English (ASCII), Simplified Chinese
// (GBK) and Traditional Chinese (Big5). The build generates them from catalogue.h; only the
// message lookup reads them.

#include <span>

#include "store/result_code.h"

namespace messages {

struct MessageEntry {
    ResultCode code;
    const char* format;  // printf-style, with at most one "%d"
};

struct MessageTable {
    std::span<const MessageEntry> entries;  // in strictly ascending code order
    const char* fallback;                   // the format for a code without an entry
};

extern const MessageTable kEnglishTable;
extern const MessageTable kSimplifiedChineseTable;
extern const MessageTable kTraditionalChineseTable;

}  // namespace messages
