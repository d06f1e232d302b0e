// dizored-cli import, run as a user runs it: a store in a temporary Wine prefix, a temporary
// HOME, and the user's real NSS database checked afterwards with certutil.

#include <filesystem>
#include <map>
#include <sstream>

#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "store/cert_store_access.h"
#include "tests/support/certutil.h"
#include "tests/support/pkcs12_fixtures.h"
#include "tests/support/run_process.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

using test_support::Certutil;
using test_support::Fixtures;
using test_support::kPkcs12Password;
using test_support::ListCertificates;
using test_support::ListKeys;
using test_support::ProcessResult;
using test_support::RunProcess;
using test_support::ScopedEnv;
using test_support::TempDir;
using test_support::TrustByNickname;

namespace {

// Nicknames that NSS makes from a certificate's subject common name and its issuer's organisation.
const char* const kEe = "ABC - Dizored Test";
const char* const kIntermediate = "Dizored Test Intermediate - Dizored Test";
const char* const kRoot = "Dizored Test Root - Dizored Test";
const TrustByNickname kChainPlaced = {{kEe, "u,u,u"}, {kIntermediate, ",,"}, {kRoot, "CT,C,C"}};
// What the CLI prints for the codes of the import, in the dialog's language.
const std::string kSuccess = "成功(0)\n";
const std::string kPasswordError = "PKCS12 密碼錯誤(5208)\n";
const std::string kGeneralError = "一般錯誤(5001)\n";

const TrustByNickname kEarlyPlaced = {{"Early EE", "u,u,u"}, {"Dizored Early Root", "CT,C,C"}};

// Runs a program on a pseudo-terminal, types the answer once it prompts "Password: ", and
// gives back everything the terminal showed; *exitStatus is -1 unless it exited.
std::string RunOnTerminal(const std::vector<std::string>& argv,
                          const std::vector<std::pair<std::string, std::string>>& env, const std::string& answer,
                          int* exitStatus)
{
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
        for (const auto& [name, value] : env)
            ::setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    std::string shown;
    bool answered = false;
    char buffer[512];
    pollfd ready{terminal, POLLIN, 0};
    while (pid > 0 && ::poll(&ready, 1, 30000) > 0) {
        const ssize_t n = ::read(terminal, buffer, sizeof(buffer));
        if (n <= 0)
            break;  // EIO once the program has closed its side
        shown.append(buffer, static_cast<size_t>(n));
        if (!answered && shown.find("Password: ") != std::string::npos) {
            answered = ::write(terminal, answer.data(), answer.size()) == static_cast<ssize_t>(answer.size());
        }
    }
    ::close(terminal);
    int status = 0;
    *exitStatus = pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return shown;
}

class CliImportTest : public ::testing::Test {
protected:
    TempDir home;
    TempDir prefix;
    std::string xdgDataHome;  // empty: not set

    void SetUp() override
    {
        test_support::StoreWriter store;
        store.AddCertificate("ABC", "12345678", Fixtures().chainModern);
        store.AddCertificate("LEGACY", "12345678", Fixtures().chainLegacy);
        store.AddCertificate("UNICODE", "12345678", Fixtures().chainUnicode);
        store.AddCertificate("EARLY", "1", Fixtures().early);
        store.WriteFile(prefix / "user.reg");
    }

    std::string LegacyDatabase() const { return home / ".pki/nssdb"; }
    std::string XdgDatabase() const { return home / ".local/share/pki/nssdb"; }

    void CreateLegacyDatabase()
    {
        ASSERT_TRUE(std::filesystem::create_directories(LegacyDatabase()));
        ProcessResult made = Certutil({"-N", "-d", "sql:" + LegacyDatabase(), "--empty-password"});
        ASSERT_EQ(made.exitStatus, 0) << made.err;
    }

    ProcessResult Import(const std::string& cn, const std::string& orgID, const std::string& input)
    {
        return RunProcess({DIZORED_CLI_PATH, "import", cn, orgID},
                          {{"HOME", home.Path()}, {"WINEPREFIX", prefix.Path()}, {"XDG_DATA_HOME", xdgDataHome}},
                          input);
    }

    void ExpectImported(const std::string& cn, const std::string& orgID, const std::string& password)
    {
        ProcessResult r = Import(cn, orgID, password + "\n");
        EXPECT_EQ(r.out, kSuccess) << r.err;
        EXPECT_EQ(r.exitStatus, 0);
        EXPECT_EQ(r.out.find(password), std::string::npos);
        EXPECT_EQ(r.err.find(password), std::string::npos);
    }
};

TEST_F(CliImportTest, WithoutADatabaseTheXdgOneIsCreatedAndPkiIsNot)
{
    ExpectImported("ABC", "12345678", kPkcs12Password);

    EXPECT_FALSE(std::filesystem::exists(home / ".pki"));
    struct stat info{};
    ASSERT_EQ(::stat(XdgDatabase().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(ListCertificates(XdgDatabase()), kChainPlaced);
    EXPECT_EQ(ListKeys(XdgDatabase()), std::vector<std::string>{kEe});
}

TEST_F(CliImportTest, TheRegistryFileIsNeverWritten)
{
    const std::string path = prefix / "user.reg";
    const std::string before = test_support::ReadFileBytes(path);
    struct stat was{};
    ASSERT_EQ(::stat(path.c_str(), &was), 0);

    ExpectImported("ABC", "12345678", kPkcs12Password);
    Import("ABC", "12345678", "wrong\n");
    Import("MISSING", "1", "x\n");

    struct stat is{};
    ASSERT_EQ(::stat(path.c_str(), &is), 0);
    EXPECT_EQ(test_support::ReadFileBytes(path), before);
    EXPECT_EQ(is.st_ino, was.st_ino);
    EXPECT_EQ(is.st_mtim.tv_sec, was.st_mtim.tv_sec);
    EXPECT_EQ(is.st_mtim.tv_nsec, was.st_mtim.tv_nsec);
}

TEST_F(CliImportTest, AnExistingPkiDatabaseIsTheOneUsed)
{
    CreateLegacyDatabase();
    ExpectImported("ABC", "12345678", kPkcs12Password);

    EXPECT_EQ(ListCertificates(LegacyDatabase()), kChainPlaced);
    EXPECT_EQ(ListKeys(LegacyDatabase()), std::vector<std::string>{kEe});
    EXPECT_FALSE(std::filesystem::exists(home / ".local"));
}

TEST_F(CliImportTest, XdgDataHomeChoosesWhereANewDatabaseGoes)
{
    xdgDataHome = home / "data";
    ExpectImported("ABC", "12345678", kPkcs12Password);
    EXPECT_EQ(ListCertificates(home / "data/pki/nssdb"), kChainPlaced);
    EXPECT_FALSE(std::filesystem::exists(home / ".local"));
}

TEST_F(CliImportTest, ALegacyFileImportsAlike)
{
    ExpectImported("LEGACY", "12345678", kPkcs12Password);  // RC2-40 certificates, 3DES key, SHA-1 MAC
    EXPECT_EQ(ListCertificates(XdgDatabase()), kChainPlaced);
    EXPECT_EQ(ListKeys(XdgDatabase()), std::vector<std::string>{kEe});
}

TEST_F(CliImportTest, ANonAsciiPasswordReachesNssAsUtf16)
{
    ExpectImported("UNICODE", "12345678", test_support::kPkcs12UnicodePassword);
    EXPECT_EQ(ListCertificates(XdgDatabase()), kChainPlaced);
    EXPECT_EQ(ListKeys(XdgDatabase()), std::vector<std::string>{kEe});
}

TEST_F(CliImportTest, ImportingAgainLeavesOneCopyOfEachCertificateAndKey)
{
    ExpectImported("ABC", "12345678", kPkcs12Password);
    ExpectImported("ABC", "12345678", kPkcs12Password);
    ExpectImported("LEGACY", "12345678", kPkcs12Password);  // the same chain and key in another file
    EXPECT_EQ(ListCertificates(XdgDatabase()), kChainPlaced);  // the lister fails on a second copy
    EXPECT_EQ(ListKeys(XdgDatabase()), std::vector<std::string>{kEe});
}

TEST_F(CliImportTest, TrustThatIsAlreadyThereIsNeverWeakened)
{
    CreateLegacyDatabase();
    const std::string dir = Fixtures().directory + "/";
    // The user trusts the intermediate as an anchor and distrusts the root.
    ASSERT_EQ(Certutil({"-A", "-d", "sql:" + LegacyDatabase(), "-n", "anchor", "-t", "CT,C,C", "-i",
                        dir + "intermediate.pem"}).exitStatus, 0);
    ASSERT_EQ(Certutil({"-A", "-d", "sql:" + LegacyDatabase(), "-n", "distrusted", "-t", "p,p,p", "-i",
                        dir + "root.pem"}).exitStatus, 0);

    ExpectImported("ABC", "12345678", kPkcs12Password);
    EXPECT_EQ(ListCertificates(LegacyDatabase()),
              (TrustByNickname{{kEe, "u,u,u"}, {"anchor", "CT,C,C"}, {"distrusted", "p,p,p"}}));
}

TEST_F(CliImportTest, AnUntrustedRootGainsTrustWhenImportedAsRoot)
{
    CreateLegacyDatabase();
    ASSERT_EQ(Certutil({"-A", "-d", "sql:" + LegacyDatabase(), "-n", "known", "-t", ",,", "-i",
                        Fixtures().directory + "/root.pem"}).exitStatus, 0);
    ExpectImported("ABC", "12345678", kPkcs12Password);
    EXPECT_EQ(ListCertificates(LegacyDatabase()).at("known"), "CT,C,C");
}

TEST_F(CliImportTest, TheEarlyExtensionDecidesTheRoles)
{
    ExpectImported("EARLY", "1", kPkcs12Password);
    EXPECT_EQ(ListCertificates(XdgDatabase()),
              kEarlyPlaced);
}

TEST_F(CliImportTest, AWrongPasswordLeavesTheDatabaseAsItWas)
{
    CreateLegacyDatabase();
    ExpectImported("EARLY", "1", kPkcs12Password);
    const std::string certificatesBefore = Certutil({"-L", "-d", "sql:" + LegacyDatabase()}).out;
    const std::vector<std::string> keysBefore = ListKeys(LegacyDatabase());

    ProcessResult r = Import("ABC", "12345678", "Secret\n");
    EXPECT_EQ(r.out, kPasswordError);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(Certutil({"-L", "-d", "sql:" + LegacyDatabase()}).out, certificatesBefore);
    EXPECT_EQ(ListKeys(LegacyDatabase()), keysBefore);
}

TEST_F(CliImportTest, FailuresBeforeTheImportCreateNoDatabase)
{
    const struct {
        const char* what;
        std::string cn, orgID, input, out;
    } cases[] = {
        {"wrong password", "ABC", "12345678", "Secret\n", kPasswordError},
        {"empty password", "ABC", "12345678", "\n", kPasswordError},
        {"no input at all", "ABC", "12345678", "", kPasswordError},
        {"names swapped", "12345678", "ABC", "secret\n", kGeneralError},
    };
    for (const auto& c : cases) {
        ProcessResult r = Import(c.cn, c.orgID, c.input);
        EXPECT_EQ(r.out, c.out) << c.what;
        EXPECT_EQ(r.exitStatus, 1) << c.what;
    }
    EXPECT_TRUE(std::filesystem::is_empty(home.Path()));
}

TEST_F(CliImportTest, TheOutcomeIsPrintedInTheChosenLanguage)
{
    const std::vector<std::pair<std::string, std::string>> env = {
        {"HOME", home.Path()}, {"WINEPREFIX", prefix.Path()}, {"XDG_DATA_HOME", ""}};
    ProcessResult wrong = RunProcess({DIZORED_CLI_PATH, "--lang", "en", "import", "ABC", "12345678"}, env, "Secret\n");
    EXPECT_EQ(wrong.out, "PFX(P12) password error(5208)\n");
    EXPECT_EQ(wrong.exitStatus, 1);
    ProcessResult swapped = RunProcess({DIZORED_CLI_PATH, "--lang", "zh-CN", "import", "12345678", "ABC"}, env, "secret\n");
    EXPECT_EQ(swapped.out, "一般错误(5001)\n");
    EXPECT_EQ(swapped.exitStatus, 1);
}

TEST_F(CliImportTest, APasswordLineEndedWithCrLfIsTakenWithoutTheCr)
{
    ProcessResult r = Import("ABC", "12345678", "secret\r\n");
    EXPECT_EQ(r.out, kSuccess) << r.err;
}

// The database is opened at first use and shut down when the import is done, so one process
// can import into one user's database and then into another's.
TEST_F(CliImportTest, OneProcessCanImportIntoTwoDatabasesInTurn)
{
    ScopedEnv winePrefix("WINEPREFIX", prefix.Path());
    ScopedEnv noXdg("XDG_DATA_HOME", std::nullopt);
    TempDir secondHome;
    {
        ScopedEnv user("HOME", home.Path());
        EXPECT_EQ(CCertStoreAccess().ImportCert("12345678", "ABC", kPkcs12Password), 0);
    }
    {
        ScopedEnv user("HOME", secondHome.Path());
        EXPECT_EQ(CCertStoreAccess().ImportCert("1", "EARLY", kPkcs12Password), 0);
    }
    EXPECT_EQ(ListCertificates(XdgDatabase()), kChainPlaced);
    EXPECT_EQ(ListCertificates(secondHome / ".local/share/pki/nssdb"),
              kEarlyPlaced);
}

}  // namespace

TEST_F(CliImportTest, OnATerminalThePasswordIsAskedForAndNotEchoed)
{
    int exitStatus = -1;
    const std::string shown = RunOnTerminal(
        {DIZORED_CLI_PATH, "import", "ABC", "12345678"},
        {{"HOME", home.Path()}, {"WINEPREFIX", prefix.Path()}, {"XDG_DATA_HOME", ""}}, "secret\r", &exitStatus);
    EXPECT_EQ(exitStatus, 0) << shown;
    EXPECT_NE(shown.find("Password: "), std::string::npos) << shown;
    EXPECT_EQ(shown.find("secret"), std::string::npos) << shown;
    EXPECT_NE(shown.find("成功(0)"), std::string::npos) << shown;
    EXPECT_EQ(ListCertificates(XdgDatabase()), kChainPlaced);
}
