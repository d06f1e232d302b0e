#include "tests/support/pkcs12_fixtures.h"

#include <filesystem>
#include <stdexcept>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "tests/support/run_process.h"
#include "tests/support/temp_dir.h"

namespace test_support {

namespace {

Bytes Load(const std::string& directory, const std::string& name)
{
    const std::string bytes = ReadFileBytes(directory + "/" + name);
    if (bytes.empty())
        throw std::runtime_error("fixture missing: " + name);
    return Bytes(bytes.begin(), bytes.end());
}

// Held while the shared fixture folder is checked or made: ctest runs many test processes at once.
class FolderLock {
public:
    explicit FolderLock(const std::string& path) : fd_(::open(path.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600))
    {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
        if (fd_ < 0)
            throw std::runtime_error("cannot lock " + path);
    }
    ~FolderLock() { ::close(fd_); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

// The files are made once per build tree and made again whenever the script changes.
void MakeOnce(const std::string& directory)
{
    const std::string script = ReadFileBytes(DIZORED_PKCS12_FIXTURE_SCRIPT);
    const std::string stamp = directory + "/made-by.sh";
    FolderLock lock(directory + ".lock");
    if (std::filesystem::exists(stamp) && ReadFileBytes(stamp) == script)
        return;
    std::filesystem::remove_all(directory);
    std::filesystem::create_directories(directory);
    const ProcessResult made = RunProcess({"/bin/bash", DIZORED_PKCS12_FIXTURE_SCRIPT, directory});
    if (made.exitStatus != 0)
        throw std::runtime_error("make_pkcs12_fixtures.sh failed: " + made.err);
    WriteFileBytes(stamp, script);
}

Pkcs12Fixtures MakeFixtures()
{
    const std::string directory = DIZORED_PKCS12_FIXTURE_DIR;
    MakeOnce(directory);
    Pkcs12Fixtures f;
    f.directory = directory;
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
