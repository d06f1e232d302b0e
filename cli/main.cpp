// dizored-cli: the query and import of the Dizored dialog, from a terminal.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

void PrintUsage()
{
    std::fprintf(stderr,
                 "usage: dizored-cli [--lang zh-TW|zh-CN|en] query IDENTIFIER\n"
                 "       dizored-cli [--lang zh-TW|zh-CN|en] message CODE\n"
                 "       dizored-cli [--lang zh-TW|zh-CN|en] import CN ORGID\n"
                 "\n"
                 "query    Lists the certificates of the Wine prefix's private certificate store\n"
                 "         ($WINEPREFIX, or ~/.wine) whose common name contains IDENTIFIER,\n"
                 "         one \"common name, organisation id\" line each. When none matches,\n"
                 "         prints the message of code 10001 on standard error.\n"
                 "message  Prints the message text of CODE, a 32-bit integer.\n"
                 "import   Asks for the password of the certificate CN, ORGID and imports it with\n"
                 "         its private key into the user's NSS database; prints the outcome.\n"
                 "\n"
                 "--lang   The language of messages: zh-TW (the dialog's, default), zh-CN or en.\n");
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    int codePage = kDialogCodePage;
    if (args.size() >= 2 && args[0] == "--lang") {
        if (!ParseLanguage(args[1], codePage)) {
            PrintUsage();
            return 2;
        }
        args.erase(args.begin(), args.begin() + 2);
    }

    ResultCode code = 0;
    if (args.size() == 2 && args[0] == "query")
        return RunQueryCommand(args[1], codePage);
    if (args.size() == 2 && args[0] == "message" && ParseResultCode(args[1], code))
        return RunMessageCommand(code, codePage);
    if (args.size() == 3 && args[0] == "import")
        return RunImportCommand(args[1], args[2], codePage);
    PrintUsage();
    return 2;
}
