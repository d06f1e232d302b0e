#include "platform/registry/registry_key.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/registry/registry_source.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine_registry_writer.h"

using namespace platform::registry;
using test_support::ScopedEnv;
using test_support::TempDir;
using test_support::WineRegistryWriter;

namespace {

std::shared_ptr<Hive> SmallHive()
{
    auto hive = std::make_shared<Hive>();
    HiveKey* key = hive->AddKey("Software\\DOZA\\CertStore\\CertInfo");
    key->SetValue("Binary", kRegBinary, {1, 2, 3});
    key->SetValue("Text", kRegSz, {'a', 0});
    key->SetValue(std::string(253, 'n'), kRegBinary, {4});
    key->SetValue(std::string(254, 'm'), kRegBinary, {5});
    hive->AddKey("Software\\DOZA\\CertStore\\CertInfo\\Sub");
    return hive;
}

TEST(RegistryKey, QueriesBinaryValuesOnly)
{
    ScopedCurrentUserHive scoped(SmallHive());
    RegistryKey key;
    ASSERT_EQ(key.Open(RootKey::CurrentUser, "software\\doza\\certstore\\CERTINFO"), kErrorSuccess);

    uint32_t count = 0;
    EXPECT_EQ(key.QueryBinaryValue("binary", nullptr, &count), kErrorSuccess);
    EXPECT_EQ(count, 3u);

    unsigned char buffer[4] = {9, 9, 9, 9};
    count = 2;
    EXPECT_EQ(key.QueryBinaryValue("Binary", buffer, &count), kErrorMoreData);
    EXPECT_EQ(count, 3u);
    count = 4;
    EXPECT_EQ(key.QueryBinaryValue("Binary", buffer, &count), kErrorSuccess);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(buffer[2], 3);
    EXPECT_EQ(buffer[3], 9);

    EXPECT_EQ(key.QueryBinaryValue("Text", nullptr, &count), kErrorInvalidData);
    EXPECT_EQ(key.QueryBinaryValue("Missing", nullptr, &count), kErrorFileNotFound);
}

TEST(RegistryKey, CountsAndEnumeratesInOrderWithA254ByteNameBuffer)
{
    ScopedCurrentUserHive scoped(SmallHive());
    RegistryKey key;
    ASSERT_EQ(key.Open(RootKey::CurrentUser, "Software\\DOZA\\CertStore\\CertInfo"), kErrorSuccess);
    uint32_t subkeys = 0;
    uint32_t values = 0;
    ASSERT_EQ(key.QueryInfo(&subkeys, &values), kErrorSuccess);
    EXPECT_EQ(subkeys, 1u);
    EXPECT_EQ(values, 4u);

    char name[254];
    uint32_t type = 0;
    struct Case {
        uint32_t index;
        long result;
        std::string name;
    };
    const Case cases[] = {
        {0, kErrorSuccess, "Binary"},
        {1, kErrorSuccess, "Text"},
        {2, kErrorSuccess, std::string(253, 'n')},
        {3, kErrorMoreData, ""},
        {4, kErrorNoMoreItems, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        uint32_t length = sizeof name;
        ASSERT_EQ(key.EnumValueName(c.index, name, &length, &type), c.result);
        if (c.result == kErrorSuccess) {
            EXPECT_EQ(std::string(name, length), c.name);
            EXPECT_EQ(name[length], '\0');
        }
    }
}

TEST(RegistryKey, FailsOnMissingKeysOtherRootsAndClosedHandles)
{
    ScopedCurrentUserHive scoped(SmallHive());
    RegistryKey key;
    EXPECT_EQ(key.Open(RootKey::CurrentUser, "Software\\DOZA\\Nothing"), kErrorFileNotFound);
    EXPECT_EQ(key.Open(static_cast<RootKey>(0x80000002u), "Software\\DOZA\\CertStore"), kErrorFileNotFound);
    uint32_t a = 0;
    uint32_t b = 0;
    EXPECT_EQ(key.QueryInfo(&a, &b), kErrorInvalidHandle);
    ASSERT_EQ(key.Open(RootKey::CurrentUser, "Software\\DOZA\\CertStore"), kErrorSuccess);
    key.Close();
    EXPECT_EQ(key.QueryBinaryValue("Binary", nullptr, &a), kErrorInvalidHandle);
}

class WineFileSource : public ::testing::Test {
protected:
    TempDir prefix;
    ScopedEnv winePrefix{"WINEPREFIX", prefix.Path()};

    static WineRegistryWriter Registry(unsigned char byte)
    {
        WineRegistryWriter writer;
        writer.SetBinary("Software\\DOZA\\CertStore", "V", {byte});
        return writer;
    }

    static int ReadByte()
    {
        RegistryKey key;
        unsigned char byte = 0;
        uint32_t count = 1;
        if (key.Open(RootKey::CurrentUser, "Software\\DOZA\\CertStore") != kErrorSuccess
            || key.QueryBinaryValue("V", &byte, &count) != kErrorSuccess)
            return -1;
        return byte;
    }
};

TEST_F(WineFileSource, FindsUserRegInWinePrefixOrHomeWine)
{
    Registry(7).WriteFile(prefix / "user.reg");
    EXPECT_EQ(CurrentUserRegistryPath(), prefix / "user.reg");
    EXPECT_EQ(ReadByte(), 7);

    TempDir home;
    std::filesystem::create_directory(home / ".wine");
    Registry(8).WriteFile(home / ".wine/user.reg");
    ScopedEnv noPrefix("WINEPREFIX", std::nullopt);
    ScopedEnv homeEnv("HOME", home.Path());
    EXPECT_EQ(ReadByte(), 8);
}

TEST_F(WineFileSource, MissingOrUnreadableFileIsAnEmptyHive)
{
    EXPECT_EQ(ReadByte(), -1);
    std::filesystem::create_directory(prefix / "user.reg");
    EXPECT_EQ(ReadByte(), -1);
}

TEST_F(WineFileSource, RereadsTheFileWhenWineReplacesIt)
{
    Registry(1).WriteFile(prefix / "user.reg");
    EXPECT_EQ(ReadByte(), 1);
    Registry(2).WriteFile(prefix / "user.reg");  // renamed over, as wineserver saves
    EXPECT_EQ(ReadByte(), 2);
}

TEST_F(WineFileSource, OpenHandlesShareOneVersionOfTheFile)
{
    Registry(1).WriteFile(prefix / "user.reg");
    RegistryKey outer;
    ASSERT_EQ(outer.Open(RootKey::CurrentUser, "Software"), kErrorSuccess);
    Registry(2).WriteFile(prefix / "user.reg");
    EXPECT_EQ(ReadByte(), 1);
    outer.Close();
    EXPECT_EQ(ReadByte(), 2);
}

TEST_F(WineFileSource, NeverWritesTheFile)
{
    Registry(1).WriteFile(prefix / "user.reg");
    std::string before = test_support::ReadFileBytes(prefix / "user.reg");
    struct stat st {};
    ASSERT_EQ(stat((prefix / "user.reg").c_str(), &st), 0);
    chmod((prefix / "user.reg").c_str(), 0444);

    EXPECT_EQ(ReadByte(), 1);

    struct stat after {};
    ASSERT_EQ(stat((prefix / "user.reg").c_str(), &after), 0);
    EXPECT_EQ(test_support::ReadFileBytes(prefix / "user.reg"), before);
    EXPECT_EQ(after.st_mtim.tv_sec, st.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, st.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_ino, st.st_ino);
}

}  // namespace
