// dizored-cli query, run as a user runs it, on a store in a temporary Wine prefix.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/support/run_process.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

using test_support::RunProcess;
using test_support::TempDir;

namespace {

class CliQueryTest : public ::testing::Test {
protected:
    TempDir prefix;

    test_support::ProcessResult Query(const std::string& id)
    {
        return RunProcess({DIZORED_CLI_PATH, "query", id}, {{"WINEPREFIX", prefix.Path()}});
    }
};

TEST_F(CliQueryTest, PrintsOneLinePerMatchInStoreOrder)
{
    test_support::StoreWriter store;
    store.AddCertificate("王小明", "12345678", {});
    store.AddCertificate("王大明", "87654321", {});
    store.AddCertificate("Alice Chen", "A1", {});
    store.WriteFile(prefix / "user.reg");

    test_support::ProcessResult r = Query("明");
    EXPECT_EQ(r.exitStatus, 0);
    // Enumeration order is the file's: values sorted by their hash names.
    const std::string a = "王小明, 12345678\n";
    const std::string b = "王大明, 87654321\n";
    bool aFirst = test_support::CertificateValueName("王小明", "12345678") < test_support::CertificateValueName("王大明", "87654321");
    EXPECT_EQ(r.out, aFirst ? a + b : b + a);
}

TEST_F(CliQueryTest, NothingFoundPrintsNothingAndFails)
{
    test_support::StoreWriter store;
    store.AddCertificate("Alice Chen", "A1", {});
    store.WriteFile(prefix / "user.reg");
    for (const char* id : {"Bob", ""}) {
        test_support::ProcessResult r = Query(id);
        EXPECT_EQ(r.exitStatus, 1) << id;
        EXPECT_EQ(r.out, "") << id;
    }
}

TEST_F(CliQueryTest, LeavesTheRegistryFileUntouched)
{
    test_support::StoreWriter store;
    store.AddCertificate("Alice Chen", "A1", {});
    store.WriteFile(prefix / "user.reg");
    std::string before = test_support::ReadFileBytes(prefix / "user.reg");
    struct stat st {};
    stat((prefix / "user.reg").c_str(), &st);

    EXPECT_EQ(Query("Alice").exitStatus, 0);

    struct stat after {};
    stat((prefix / "user.reg").c_str(), &after);
    EXPECT_EQ(test_support::ReadFileBytes(prefix / "user.reg"), before);
    EXPECT_EQ(after.st_mtim.tv_nsec, st.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_mtim.tv_sec, st.st_mtim.tv_sec);
}

TEST_F(CliQueryTest, WrongArgumentsShowUsage)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{DIZORED_CLI_PATH},
                                                 {DIZORED_CLI_PATH, "query"},
                                                 {DIZORED_CLI_PATH, "frobnicate", "x"}}) {
        test_support::ProcessResult r = RunProcess(args);
        EXPECT_EQ(r.exitStatus, 2);
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

}  // namespace
