#pragma once
// PKCS#12 files and certificates made by the openssl command at test time
// (make_pkcs12_fixtures.sh beside this file), once per build tree and script version.

#include <string>
#include <vector>

namespace test_support {

using Bytes = std::vector<unsigned char>;

inline constexpr const char* kPkcs12Password = "secret";
inline constexpr const char* kPkcs12UnicodePassword = "密碼é秘";

struct Pkcs12Fixtures {
    std::string directory;  // every file the script wrote
    Bytes rootDer, intermediateDer, eeDer;
    Bytes earlyRootDer, earlyEeDer, selfSignedDer;
    Bytes chainModern, chainLegacy, chain3des, chainNoMac, chainUnicode;
    Bytes early, selfSigned, keyOnly;
};

// Made on first use; throws (failing the calling test) when the script fails.
const Pkcs12Fixtures& Fixtures();

}  // namespace test_support
