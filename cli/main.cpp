// dizored-cli: the query and import of the Dizored dialog, from a terminal.

#include <cstdio>
#include <string>

#include "cli/commands.h"

namespace {

void PrintUsage()
{
    std::fprintf(stderr,
                 "usage: dizored-cli query IDENTIFIER\n"
                 "\n"
                 "Lists the certificates of the Wine prefix's private certificate store\n"
                 "($WINEPREFIX, or ~/.wine) whose common name contains IDENTIFIER,\n"
                 "one \"common name, organisation id\" line each.\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "query")
        return RunQueryCommand(argv[2]);
    PrintUsage();
    return 2;
}
