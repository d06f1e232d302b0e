// dizored-store-writer: writes a sample private certificate store into a Wine user.reg.
//   dizored-store-writer OUTPUT.reg [--cert CN ORGID P12FILE | --record CN ORGID]...

#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>

#include "tests/support/store_writer.h"

namespace {

test_support::Bytes ReadFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(std::string("cannot read ") + path);
    return test_support::Bytes(std::istreambuf_iterator<char>(file), {});
}

int Usage()
{
    std::fprintf(stderr, "usage: dizored-store-writer OUTPUT.reg [--cert CN ORGID P12FILE | --record CN ORGID]...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    try {
        test_support::StoreWriter store;
        store.Registry().SetString("Software\\Wine\\Explorer", "Desktop", "Default");
        for (int i = 2; i < argc;) {
            if (std::strcmp(argv[i], "--cert") == 0 && i + 3 < argc) {
                store.AddCertificate(argv[i + 1], argv[i + 2], ReadFile(argv[i + 3]));
                i += 4;
            } else if (std::strcmp(argv[i], "--record") == 0 && i + 2 < argc) {
                store.AddCertificate(argv[i + 1], argv[i + 2], {});
                i += 3;
            } else {
                return Usage();
            }
        }
        store.WriteFile(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dizored-store-writer: %s\n", e.what());
        return 1;
    }
    return 0;
}
