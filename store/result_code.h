#pragma once

#include <cstdint>

// 0 is success; any other value is the number of a message of the catalogue.
using ResultCode = int32_t;
