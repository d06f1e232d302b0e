#include <cstdio>

#include "cli/commands.h"
#include "store/cert_store_access.h"

namespace {

// As the dialog does, an empty or fruitless query shows this code ("ID錯誤").
constexpr ResultCode kIdentifierError = 10001;

}  // namespace

int RunQueryCommand(const std::string& identifier, int codePage)
{
    std::vector<CertListEntry> certlist;
    if (!identifier.empty())  // as in the dialog, an empty identifier is not searched for
        certlist = CCertStoreAccess().QueryCertList(identifier);
    if (certlist.empty()) {
        PrintCodeText(stderr, kIdentifierError, codePage);
        return 1;
    }
    for (const CertListEntry& line : certlist)
        std::printf("%.*s\n", static_cast<int>(line.size()), line.data());
    return 0;
}
