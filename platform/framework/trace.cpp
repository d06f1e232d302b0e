#include "platform/framework/trace.h"

#include <cstdio>

namespace framework {

void Trace(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace framework
