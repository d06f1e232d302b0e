#pragma once
// Message texts for display: a table's bytes turned into UTF-8, at the moment they are shown.

#include <string>

// `text` as returned by CResultMessages::GetText for the same codePage: 437 ASCII, kept as is;
// 936 GBK; any other value Big5. Bytes that do not decode become U+FFFD.
std::string MessageToUtf8(const std::string& text, int codePage);
