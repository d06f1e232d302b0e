#pragma once
// Runs a program to its end, feeding its standard input and collecting its output.

#include <string>
#include <utility>
#include <vector>

namespace test_support {

struct ProcessResult {
    int exitStatus = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;
};

// env: variables set on top of this process's environment.
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::vector<std::pair<std::string, std::string>>& env = {},
                         const std::string& input = {});

}  // namespace test_support
