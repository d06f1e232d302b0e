// dizored-cli import against a real NSS database that is missing, read-only, locked by another
// process, damaged, or whose import is killed half-way: a clear code, and what the database held
// before is still there afterwards (certutil's view, and the files' bytes where nothing was written).

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/certutil.h"
#include "tests/support/pkcs12_fixtures.h"
#include "tests/support/run_process.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

using test_support::Certutil;
using test_support::Fixtures;
using test_support::ListCertificates;
using test_support::ListKeys;
using test_support::ProcessResult;
using test_support::ReadFileBytes;
using test_support::RunProcess;
using test_support::TempDir;
using test_support::TrustByNickname;
using test_support::WriteFileBytes;

namespace fs = std::filesystem;

namespace {

const std::string kSuccess = "成功(0)\n";
const std::string kStoreNotOpened = "開啟\"個人憑證區\"失敗(5201)\n";
const TrustByNickname kEarlyPlaced = {{"Early EE", "u,u,u"}, {"Dizored Early Root", "CT,C,C"}};
const char* const kDatabaseFiles[] = {"cert9.db", "key4.db", "pkcs11.txt"};
// Holds an exclusive transaction on the SQLite file argv[1] until killed, and says so once it does.
const char* const kHoldExclusiveLock =
    "import sqlite3, sys, time\n"
    "db = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
    "db.execute('BEGIN EXCLUSIVE')\n"
    "print('locked', flush=True)\n"
    "time.sleep(600)\n";

class NssFaultTest : public ::testing::Test {
protected:
    TempDir home;
    TempDir prefix;

    void SetUp() override
    {
        test_support::StoreWriter store;
        store.AddCertificate("ABC", "12345678", Fixtures().chainModern);
        store.AddCertificate("EARLY", "1", Fixtures().early);
        store.WriteFile(prefix / "user.reg");
    }

    std::string Database() const { return home / ".pki/nssdb"; }

    // A database that already holds the user's earlier import.
    void CreateDatabaseWithEarlierContent()
    {
        ASSERT_TRUE(fs::create_directories(Database()));
        ASSERT_EQ(Certutil({"-N", "-d", "sql:" + Database(), "--empty-password"}).exitStatus, 0);
        ProcessResult earlier = Import({}, "EARLY", "1");
        ASSERT_EQ(earlier.out, kSuccess) << earlier.err;
        ASSERT_EQ(ListCertificates(Database()), kEarlyPlaced);
    }

    std::vector<std::string> Environment() const
    {
        return {"HOME=" + home.Path(), "WINEPREFIX=" + prefix.Path(), "XDG_DATA_HOME="};
    }

    // runAs: a command line put before the CLI's (to run it as another user).
    ProcessResult Import(std::vector<std::string> runAs, const std::string& cn, const std::string& orgID)
    {
        runAs.insert(runAs.end(), {"/usr/bin/env"});
        const std::vector<std::string> env = Environment();
        runAs.insert(runAs.end(), env.begin(), env.end());
        runAs.insert(runAs.end(), {DIZORED_CLI_PATH, "import", cn, orgID});
        return RunProcess(runAs, {}, std::string(test_support::kPkcs12Password) + "\n");
    }

    std::map<std::string, std::string> FileBytes() const
    {
        std::map<std::string, std::string> bytes;
        for (const char* name : kDatabaseFiles)
            bytes[name] = ReadFileBytes(Database() + "/" + name);
        return bytes;
    }
};

TEST_F(NssFaultTest, AMissingDatabaseFolderIsCreatedInTheXdgPlace)
{
    ASSERT_TRUE(fs::create_directories(home / ".local/share"));  // the parents exist, pki does not
    ProcessResult r = Import({}, "ABC", "12345678");
    EXPECT_EQ(r.out, kSuccess) << r.err;
    EXPECT_EQ(ListCertificates(home / ".local/share/pki/nssdb").size(), 3u);
    EXPECT_FALSE(fs::exists(home / ".pki"));
}

// Root may write any file, so the import runs as nobody over a database that nobody owns and
// may only read (folder 0500, files 0400), as a user whose database was made read-only.
TEST_F(NssFaultTest, AReadOnlyDatabaseIs5201AndStaysAsItWas)
{
    CreateDatabaseWithEarlierContent();
    std::vector<std::string> runAs;
    if (::geteuid() == 0) {
        runAs = {"/usr/bin/setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"};
        for (const std::string& path : {home.Path(), prefix.Path()})
            fs::permissions(path, fs::perms(0755));
        for (const std::string& path : {home / ".pki", Database()})
            ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        for (const char* name : kDatabaseFiles)
            ASSERT_EQ(::chown((Database() + "/" + name).c_str(), 65534, 65534), 0);
    }
    for (const char* name : kDatabaseFiles)
        fs::permissions(Database() + "/" + name, fs::perms(0400));
    fs::permissions(Database(), fs::perms(0500));
    const auto before = FileBytes();

    ProcessResult r = Import(runAs, "ABC", "12345678");
    EXPECT_EQ(r.out, kStoreNotOpened) << r.err;
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(fs::status(Database()).permissions(), fs::perms(0500));
    EXPECT_EQ(ListCertificates(Database()), kEarlyPlaced);
    EXPECT_EQ(ListKeys(Database()), std::vector<std::string>{"Early EE"});
    fs::permissions(Database(), fs::perms(0700));  // so that the folder can be removed
}

// Another program (a browser, certutil) holds an exclusive transaction on one of the files.
TEST_F(NssFaultTest, ADatabaseLockedByAnotherProcessIs5201AndStaysAsItWas)
{
    CreateDatabaseWithEarlierContent();
    for (const char* file : {"cert9.db", "key4.db"}) {
        SCOPED_TRACE(file);
        const auto before = FileBytes();
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t holder = ::fork();
        if (holder == 0) {
            ::dup2(ready[1], 1);
            ::execl("/usr/bin/python3", "python3", "-c", kHoldExclusiveLock, (Database() + "/" + file).c_str(),
                    nullptr);
            ::_exit(127);
        }
        ::close(ready[1]);
        char answer[16] = {};
        ASSERT_GT(::read(ready[0], answer, sizeof(answer) - 1), 0);  // the lock is held
        ::close(ready[0]);

        ProcessResult r = Import({}, "ABC", "12345678");
        ::kill(holder, SIGKILL);
        ::waitpid(holder, nullptr, 0);
        EXPECT_EQ(r.out, kStoreNotOpened) << r.err;
        EXPECT_EQ(FileBytes(), before);
        EXPECT_EQ(ListCertificates(Database()), kEarlyPlaced);
    }
}

TEST_F(NssFaultTest, ADamagedDatabaseFileIs5201AndIsNotOverwritten)
{
    CreateDatabaseWithEarlierContent();
    const auto good = FileBytes();
    for (const char* file : {"cert9.db", "key4.db"}) {
        SCOPED_TRACE(file);
        for (const char* name : kDatabaseFiles)
            WriteFileBytes(Database() + "/" + name, good.at(name));
        std::string garbage(good.at(file).size(), '\0');
        for (size_t i = 0; i < garbage.size(); ++i)
            garbage[i] = static_cast<char>((i * 2654435761u) >> 11);
        WriteFileBytes(Database() + "/" + file, garbage);
        const auto before = FileBytes();

        ProcessResult r = Import({}, "ABC", "12345678");
        EXPECT_EQ(r.out, kStoreNotOpened) << r.err;
        EXPECT_EQ(FileBytes(), before);
    }
}

// SQLite's journal keeps a transaction whole: a process killed at any moment leaves the
// database as it was before the transaction or after it.
TEST_F(NssFaultTest, AnImportKilledHalfWayLeavesADatabaseThatOpensWithItsEarlierContent)
{
    CreateDatabaseWithEarlierContent();
    for (int delayMs : {0, 5, 10, 20, 30, 45, 60, 80, 120}) {
        SCOPED_TRACE(delayMs);
        int input[2];
        ASSERT_EQ(::pipe(input), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(input[0], 0);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            for (const std::string& variable : Environment())
                ::putenv(const_cast<char*>(variable.c_str()));
            ::execl(DIZORED_CLI_PATH, DIZORED_CLI_PATH, "import", "ABC", "12345678", nullptr);
            ::_exit(127);
        }
        ::close(input[0]);
        EXPECT_EQ(::write(input[1], "secret\n", 7), 7);
        ::close(input[1]);
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        const TrustByNickname listed = ListCertificates(Database());
        for (const auto& [nickname, trust] : kEarlyPlaced)
            EXPECT_EQ(listed.count(nickname) ? listed.at(nickname) : "missing", trust) << nickname;
        EXPECT_EQ(Certutil({"-K", "-d", "sql:" + Database()}).exitStatus, 0);
    }
    // And a later import completes.
    ProcessResult r = Import({}, "ABC", "12345678");
    EXPECT_EQ(r.out, kSuccess) << r.err;
    EXPECT_EQ(ListCertificates(Database()).size(), 5u);
}

}  // namespace
