#pragma once
// The commands of dizored-cli. Each returns the process exit status.

#include <string>

int RunQueryCommand(const std::string& identifier);
