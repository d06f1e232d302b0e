#include <gtest/gtest.h>

#include "platform/registry/registry_source.h"
#include "store/cert_store_access.h"
#include "store/store_layout.h"

using namespace platform::registry;

namespace {

class ReadRegistryValueTest : public ::testing::Test {
protected:
    ReadRegistryValueTest()
    {
        auto hive = std::make_shared<Hive>();
        HiveKey* store = hive->AddKey("Software\\DOZA\\CertStore");
        store->SetValue("Blob", kRegBinary, {0xde, 0xad, 0xbe, 0xef});
        store->SetValue("Empty", kRegBinary, {});
        store->SetValue("Text", kRegSz, {'a', 0});
        store->SetValue("Word", kRegDword, {1, 0, 0, 0});
        hive->AddKey("Software\\DOZA\\CertStore\\CertInfo")->SetValue("Record", kRegBinary, {7});
        scoped_ = std::make_unique<ScopedCurrentUserHive>(std::move(hive));
    }

    struct Read {
        ResultCode result;
        std::vector<unsigned char> data;
        int32_t size;
    };
    static Read ReadValue(const std::string& path, const std::string& name)
    {
        Read r{0, {}, -1};
        r.result = CCertStoreAccess().ReadRegistryValue(HKEY_CURRENT_USER, path, name, &r.data, &r.size);
        return r;
    }

    std::unique_ptr<ScopedCurrentUserHive> scoped_;
};

TEST_F(ReadRegistryValueTest, HandsOutTheDataWithOneZeroByteMore)
{
    Read r = ReadValue(kCertStoreRegPath, "Blob");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.size, 4);
    EXPECT_EQ(r.data, (std::vector<unsigned char>{0xde, 0xad, 0xbe, 0xef, 0}));

    Read empty = ReadValue(kCertStoreRegPath, "Empty");
    EXPECT_EQ(empty.result, 0);
    EXPECT_EQ(empty.size, 0);
    EXPECT_EQ(empty.data, std::vector<unsigned char>{0});
}

TEST_F(ReadRegistryValueTest, FindsTheCertInfoKeyUnderEitherSpelling)
{
    for (const std::string& path : {std::string(kCertInfoRegPath), std::string(kCertStoreRegPath) + "\\CertInfo"}) {
        Read r = ReadValue(path, "record");
        EXPECT_EQ(r.result, 0) << path;
        EXPECT_EQ(r.size, 1);
    }
}

TEST_F(ReadRegistryValueTest, EveryFailureIs10001AndLeavesTheSizeAlone)
{
    const std::pair<std::string, std::string> failures[] = {
        {kCertStoreRegPath, "Text"},
        {kCertStoreRegPath, "Word"},
        {kCertStoreRegPath, "Missing"},
        {"Software\\DOZA\\Missing", "Blob"},
    };
    for (const auto& [path, name] : failures) {
        SCOPED_TRACE(name);
        Read r = ReadValue(path, name);
        EXPECT_EQ(r.result, 10001);
        EXPECT_EQ(r.size, -1);
    }
}

}  // namespace
