#pragma once
// The bare cost of a query: from the user.reg text, decode every record value's hex, decrypt it
// with EVP and parse it with pugixml in one plain loop, with no registry or store layer.

#include <string>

namespace bench {

// The number of records whose cn contains the identifier, reading the file at path.
int BareQuery(const std::string& path, const std::string& identifier);

}  // namespace bench
