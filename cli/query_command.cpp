#include <cstdio>

#include "cli/commands.h"
#include "store/cert_store_access.h"

int RunQueryCommand(const std::string& identifier)
{
    if (identifier.empty())
        return 1;  // as in the dialog, an empty identifier is not searched for
    CCertStoreAccess store;
    std::vector<CertListEntry> certlist = store.QueryCertList(identifier);
    for (const CertListEntry& line : certlist)
        std::printf("%.*s\n", static_cast<int>(line.size()), line.data());
    return certlist.empty() ? 1 : 0;
}
