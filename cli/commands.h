#pragma once
// The commands of dizored-cli. Each returns the process exit status.

#include <string>

#include "store/result_code.h"

// RunQueryCommand's status when the identifier is empty or matches no certificate.
constexpr int kQueryFoundNothing = 1;

int RunQueryCommand(const std::string& identifier);

// Messages are printed in the language of a code page: 0 (the dialog's Traditional Chinese), 936 or 437.
constexpr int kDialogCodePage = 0;
// zh-TW, zh-CN or en; false for any other name.
bool ParseLanguage(const std::string& language, int& codePage);
// A whole decimal 32-bit integer, optionally negative.
bool ParseResultCode(const std::string& text, ResultCode& code);
// Prints the text of `code` on standard output.
int RunMessageCommand(ResultCode code, int codePage);
// Prints the text of 10001 on standard error when the query found nothing; passes its status on.
int ReportQueryOutcome(int queryStatus, int codePage);
// Reads the password from the terminal (or one line of standard input), imports, and prints
// the text of the code that the import returns; 0 when that code is 0.
int RunImportCommand(const std::string& cn, const std::string& orgID, int codePage);
