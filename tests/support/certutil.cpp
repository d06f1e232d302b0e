#include "tests/support/certutil.h"

#include <sstream>

#include <gtest/gtest.h>

namespace test_support {

ProcessResult Certutil(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv = {"/usr/bin/env", "certutil"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunProcess(argv);
}

TrustByNickname ListCertificates(const std::string& database)
{
    ProcessResult listed = Certutil({"-L", "-d", "sql:" + database});
    EXPECT_EQ(listed.exitStatus, 0) << listed.err;
    TrustByNickname trust;
    std::istringstream lines(listed.out);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t end = line.find_last_not_of(' ');
        if (end == std::string::npos)
            continue;
        line.resize(end + 1);
        const size_t split = line.find_last_of(' ');
        if (split == std::string::npos || line.find("SSL,S/MIME") != std::string::npos ||
            line.compare(0, 11, "Certificate") == 0)
            continue;  // the header lines
        const std::string nickname = line.substr(0, line.find_last_not_of(' ', split) + 1);
        EXPECT_FALSE(trust.contains(nickname)) << "two certificates named " << nickname;
        trust[nickname] = line.substr(split + 1);
    }
    return trust;
}

// Lines of the form "< n> type id   nickname".
std::vector<std::string> ListKeys(const std::string& database)
{
    ProcessResult listed = Certutil({"-K", "-d", "sql:" + database});
    std::vector<std::string> keys;
    std::istringstream lines(listed.out);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("<", 0) != 0)
            continue;
        std::istringstream fields(line.substr(line.find('>') + 1));
        std::string type, id, nickname;
        fields >> type >> id >> std::ws;
        std::getline(fields, nickname);
        keys.push_back(nickname);
    }
    return keys;
}

}  // namespace test_support
