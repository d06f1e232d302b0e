// Any list line split back into common name and organisation id: nothing is lost or invented.

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/cert_list_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string line(reinterpret_cast<const char*>(data), size);
    CertListEntryFields fields = SplitCertListEntry(line);
    bool hasSeparator = line.find(", ") != std::string::npos;
    if (hasSeparator ? fields.cn + ", " + fields.orgID != line || fields.orgID.find(", ") != std::string::npos
                     : fields.cn != line || !fields.orgID.empty())
        __builtin_trap();
    return 0;
}
