#include "app/cert_list_entry.h"

CertListEntryFields SplitCertListEntry(const std::string& ItemSelected)
{
    const std::string Seperator = ", ";
    size_t Position = ItemSelected.rfind(Seperator);
    if (Position == std::string::npos)
        return {ItemSelected, std::string()};
    return {ItemSelected.substr(0, Position), ItemSelected.substr(Position + Seperator.size())};
}
