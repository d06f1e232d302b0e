#pragma once
// What an NSS database holds, as certutil (libnss3-tools) lists it: the independent check.

#include <map>
#include <string>
#include <vector>

#include "tests/support/run_process.h"

namespace test_support {

// Nickname to trust ("u,u,u", ",,", "CT,C,C").
using TrustByNickname = std::map<std::string, std::string>;

ProcessResult Certutil(const std::vector<std::string>& arguments);

// certutil -L: one entry per certificate; a test failure when certutil fails or two share a nickname.
TrustByNickname ListCertificates(const std::string& database);

// certutil -K: the nicknames of the private keys.
std::vector<std::string> ListKeys(const std::string& database);

}  // namespace test_support
