#pragma once
// PKCS#12 files put together piece by piece, for the cases that no tool writes: iteration
// counts that would take hours to honour, a file with nothing in it. The self-signed
// certificate and key of the fixtures go in; key and certificates are encrypted with PBES2
// (PBKDF2, AES-256-CBC), the MAC is SHA-256.

#include <cstdint>
#include <string>

#include "tests/support/pkcs12_fixtures.h"

namespace test_support {

struct Pkcs12Recipe {
    bool certificate = true;
    bool key = true;
    // Counts from 1 to kHonestIterations are honoured when the file is made; others are
    // written into the file without the work, so what they protect does not open with them.
    int64_t macIterations = 1;  // 0: no MAC
    int64_t keyIterations = 1;
    int64_t certIterations = 1;
    std::string password = kPkcs12Password;
};

inline constexpr int64_t kHonestIterations = 1'000'000;

Bytes BuildPkcs12(const Pkcs12Recipe& recipe);

}  // namespace test_support
