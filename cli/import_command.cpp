// dizored-cli import: the dialog's import, with the password read from the terminal.

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <termios.h>
#include <unistd.h>

#include "cli/commands.h"
#include "platform/certstore/secret_text.h"
#include "store/cert_store_access.h"

using platform::certstore::SecretText;

namespace {

constexpr ResultCode kPkcs12PasswordError = 5208;

// Reads up to the end of the line (not kept) or of the input, a byte at a time straight from
// the descriptor, so no stdio buffer keeps a copy of the password.
void ReadLine(SecretText<char>* line)
{
    char c = 0;
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || c == '\n')
            break;
        line->Append(c);
    }
    c = 0;
    if (!line->empty() && line->str().back() == '\r')  // a line written on Windows
        line->PopBack();
}

// The terminal's settings while echo is off, put back if the user interrupts the prompt.
termios g_savedTerminal{};

void RestoreTerminalAndDie(int signal)
{
    ::tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTerminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// From the terminal without echo, or one line of standard input when that is no terminal.
void ReadPassword(SecretText<char>* password)
{
    if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &g_savedTerminal) != 0) {
        ReadLine(password);
        return;
    }
    // Echo goes off before the prompt shows, so nothing typed after the prompt is echoed.
    termios silent = g_savedTerminal;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    for (int signal : {SIGINT, SIGTERM, SIGQUIT, SIGHUP})
        std::signal(signal, RestoreTerminalAndDie);
    ::tcsetattr(STDIN_FILENO, TCSADRAIN, &silent);
    std::fputs("Password: ", stderr);
    std::fflush(stderr);
    ReadLine(password);
    ::tcsetattr(STDIN_FILENO, TCSADRAIN, &g_savedTerminal);
    for (int signal : {SIGINT, SIGTERM, SIGQUIT, SIGHUP})
        std::signal(signal, SIG_DFL);
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
    PrintCodeText(stdout, code, codePage);
    return code == 0 ? 0 : 1;
}
