#pragma once
// The commands of dizored-cli. Each returns the process exit status.

#include <cstdio>
#include <string>

#include "store/result_code.h"

// Messages are printed in the language of a code page: 0 (the dialog's Traditional Chinese), 936 or 437.
constexpr int kDialogCodePage = 0;

// Prints the matching lines; when there is none (or the identifier is empty), the text of 10001
// on standard error and status 1.
int RunQueryCommand(const std::string& identifier, int codePage);
// zh-TW, zh-CN or en; false for any other name.
bool ParseLanguage(const std::string& language, int& codePage);
// A whole decimal 32-bit integer, optionally negative.
bool ParseResultCode(const std::string& text, ResultCode& code);
// Prints the text of `code`, as UTF-8, and a line end.
void PrintCodeText(std::FILE* stream, ResultCode code, int codePage);
// Prints the text of `code` on standard output.
int RunMessageCommand(ResultCode code, int codePage);
// Reads the password from the terminal (or one line of standard input), imports, and prints
// the text of the code that the import returns; 0 when that code is 0.
int RunImportCommand(const std::string& cn, const std::string& orgID, int codePage);
