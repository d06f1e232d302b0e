#pragma once
// Splitting a certificate list line back into the fields it was written from.

#include <string>

struct CertListEntryFields {
    std::string cn;
    std::string orgID;
};

// A line is cn + ", " + orgID. It is split at its last ", ", so that a common name holding blanks
// or commas comes back whole; a line without ", " is all common name, with an empty orgID.
CertListEntryFields SplitCertListEntry(const std::string& ItemSelected);
