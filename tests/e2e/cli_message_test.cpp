// dizored-cli's messages, run as a user runs it: the message command, --lang, and the text of
// 10001 on standard error when a query finds nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run_process.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

using test_support::ProcessResult;
using test_support::TempDir;

namespace {

class CliMessageTest : public ::testing::Test {
protected:
    TempDir prefix;

    ProcessResult Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), DIZORED_CLI_PATH);
        return test_support::RunProcess(args, {{"WINEPREFIX", prefix.Path()}});
    }
};

TEST_F(CliMessageTest, MessagePrintsTheTextInTheChosenLanguage)
{
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"message", "0"}, "成功(0)\n"},
        {{"message", "5208"}, "PKCS12 密碼錯誤(5208)\n"},
        {{"--lang", "zh-TW", "message", "10001"}, "ID錯誤\n"},
        {{"--lang", "zh-CN", "message", "5208"}, "PKCS12 密码错误(5208)\n"},
        {{"--lang", "zh-CN", "message", "1004"}, "错误码未定义(1004) \n"},
        {{"--lang", "en", "message", "5208"}, "PFX(P12) password error(5208)\n"},
        {{"--lang", "en", "message", "10001"}, "Undefined(10001) \n"},
        {{"message", "-2147483648"}, "錯誤碼未定義(-2147483648) \n"},
        {{"--lang", "en", "message", "2147483647"}, "Undefined(2147483647) \n"},
    };
    for (const auto& c : cases) {
        ProcessResult r = Run(c.args);
        EXPECT_EQ(r.exitStatus, 0) << c.args.back();
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CliMessageTest, UsageErrorForACodeOrLanguageItCannotTake)
{
    const std::vector<std::vector<std::string>> cases = {
        {"message", "2147483648"}, {"message", "-2147483649"}, {"message", "abc"}, {"message", "12x"},
        {"message", ""},           {"message", "0x10"},        {"message", " 5"},  {"message", "+5"},
        {"message"},               {"message", "1", "2"},      {"--lang", "fr", "message", "1"},
        {"--lang"},                {"--lang", "en"},
    };
    for (const auto& args : cases) {
        ProcessResult r = Run(args);
        EXPECT_EQ(r.exitStatus, 2) << args.back();
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage: dizored-cli"), std::string::npos);
        EXPECT_NE(r.err.find("message CODE"), std::string::npos);
    }
}

TEST_F(CliMessageTest, QueryThatFindsNothingPrints10001OnStandardError)
{
    test_support::StoreWriter store;
    store.AddCertificate("Alice Chen", "A123456789", {});
    store.WriteFile(prefix / "user.reg");

    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"query", "Bob"}, "ID錯誤\n"},
        {{"query", ""}, "ID錯誤\n"},
        {{"--lang", "zh-CN", "query", "Bob"}, "错误码未定义(10001) \n"},
        {{"--lang", "en", "query", ""}, "Undefined(10001) \n"},
    };
    for (const auto& c : cases) {
        ProcessResult r = Run(c.args);
        EXPECT_EQ(r.exitStatus, 1) << c.args.back();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
    }

    ProcessResult found = Run({"query", "Alice"});
    EXPECT_EQ(found.exitStatus, 0);
    EXPECT_EQ(found.out, "Alice Chen, A123456789\n");
    EXPECT_EQ(found.err, "");
}

TEST_F(CliMessageTest, QueryOfAPrefixWithoutRegistryPrints10001)
{
    ProcessResult r = Run({"query", "anyone"});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "ID錯誤\n");
}

}  // namespace
