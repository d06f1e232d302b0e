#include "tests/support/pkcs12_fixtures.h"

#include <stdexcept>

#include "tests/support/run_process.h"
#include "tests/support/temp_dir.h"

namespace test_support {

namespace {

Bytes Load(const TempDir& directory, const std::string& name)
{
    const std::string bytes = ReadFileBytes(directory / name);
    if (bytes.empty())
        throw std::runtime_error("fixture missing: " + name);
    return Bytes(bytes.begin(), bytes.end());
}

Pkcs12Fixtures MakeFixtures()
{
    static const TempDir directory;
    const ProcessResult made = RunProcess({"/bin/bash", DIZORED_PKCS12_FIXTURE_SCRIPT, directory.Path()});
    if (made.exitStatus != 0)
        throw std::runtime_error("make_pkcs12_fixtures.sh failed: " + made.err);
    Pkcs12Fixtures f;
    f.directory = directory.Path();
    f.rootDer = Load(directory, "root.der");
    f.intermediateDer = Load(directory, "intermediate.der");
    f.eeDer = Load(directory, "ee.der");
    f.earlyRootDer = Load(directory, "early-root.der");
    f.earlyEeDer = Load(directory, "early-ee.der");
    f.selfSignedDer = Load(directory, "selfsigned.der");
    f.chainModern = Load(directory, "chain-modern.p12");
    f.chainLegacy = Load(directory, "chain-legacy.p12");
    f.chain3des = Load(directory, "chain-3des.p12");
    f.chainNoMac = Load(directory, "chain-nomac.p12");
    f.chainUnicode = Load(directory, "chain-unicode.p12");
    f.early = Load(directory, "early.p12");
    f.selfSigned = Load(directory, "selfsigned.p12");
    f.keyOnly = Load(directory, "keyonly.p12");
    return f;
}

}  // namespace

const Pkcs12Fixtures& Fixtures()
{
    static const Pkcs12Fixtures fixtures = MakeFixtures();
    return fixtures;
}

}  // namespace test_support
