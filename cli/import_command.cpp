// dizored-cli import: the dialog's import, with the password read from the terminal.

#include <cstdio>

#include <termios.h>
#include <unistd.h>

#include "cli/commands.h"
#include "platform/certstore/secret_text.h"
#include "store/cert_store_access.h"

using platform::certstore::SecretText;

namespace {

constexpr ResultCode kPkcs12PasswordError = 5208;

// Reads up to the end of the line (not kept) or of the input.
void ReadLine(SecretText<char>* line)
{
    int c;
    while ((c = std::getc(stdin)) != EOF && c != '\n')
        line->Append(static_cast<char>(c));
    if (!line->empty() && line->str().back() == '\r')  // a line written on Windows
        line->PopBack();
}

// From the terminal without echo, or one line of standard input when that is no terminal.
void ReadPassword(SecretText<char>* password)
{
    if (!::isatty(STDIN_FILENO)) {
        ReadLine(password);
        return;
    }
    std::fputs("Password: ", stderr);
    std::fflush(stderr);
    termios saved{};
    const bool haveTerminal = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (haveTerminal) {
        termios silent = saved;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    ReadLine(password);
    if (haveTerminal)
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputs("\n", stderr);
}

}  // namespace

int RunImportCommand(const std::string& cn, const std::string& orgID, int codePage)
{
    SecretText<char> password;
    ReadPassword(&password);
    ResultCode code = kPkcs12PasswordError;  // an empty password is refused, as in the dialog
    if (!password.empty())
        code = CCertStoreAccess().ImportCert(orgID, cn, password.str());
    password.Clear();
    RunMessageCommand(code, codePage);
    return code == 0 ? 0 : 1;
}
