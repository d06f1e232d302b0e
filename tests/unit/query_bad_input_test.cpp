// What a damaged or hostile registry file does to the query: never a crash, and every record
// that can still be read is still listed.

#include <algorithm>

#include <gtest/gtest.h>

#include "store/cert_store_access.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

using test_support::Bytes;
using test_support::ToBytes;

namespace {

class QueryBadInputTest : public ::testing::Test {
protected:
    test_support::TempDir prefix;
    test_support::ScopedEnv winePrefix{"WINEPREFIX", prefix.Path()};

    std::string RegPath() const { return prefix / "user.reg"; }
    static std::vector<CertListEntry> Query(const std::string& id) { return CCertStoreAccess().QueryCertList(id); }
};

TEST_F(QueryBadInputTest, TruncatedFileKeepsTheRecordsBeforeTheCut)
{
    test_support::StoreWriter store;
    store.AddCertificate("甲", "1", {});
    store.AddCertificate("乙", "2", {});
    std::string text = store.Render();
    std::vector<CertListEntry> whole;
    test_support::WriteFileBytes(RegPath(), text);
    whole = Query("");
    ASSERT_EQ(whole.size(), 2u);

    // Cut inside the second record's hex data: the first is still listed, the cut one is dropped.
    size_t secondValue = text.rfind("\"=hex:");
    test_support::WriteFileBytes(RegPath(), text.substr(0, secondValue + 40));
    EXPECT_EQ(Query(""), std::vector<CertListEntry>{whole[0]});
}

TEST_F(QueryBadInputTest, BinaryGarbageIsAnEmptyStore)
{
    std::string garbage;
    for (int i = 0; i < 100000; ++i)
        garbage += static_cast<char>((i * 131 + 7) % 256);
    for (const std::string& text : {garbage, "WINE REGISTRY Version 2\n" + garbage}) {
        test_support::WriteFileBytes(RegPath(), text);
        EXPECT_TRUE(Query("").empty());
    }
}

TEST_F(QueryBadInputTest, RecordsWithOddBytesAreReadAsTheyStand)
{
    test_support::StoreWriter store;
    std::string invalidUtf8 = "\xC3\x28\xFF" "cn";
    store.AddCertificate(invalidUtf8, "1", {});
    store.AddCertificate("zero", "2", "<certInfo><cn>ze</cn><orgID>2</orgID></certInfo>" + std::string(1, '\0') + "junk", {});
    store.AddCertificate("cut", "3", "<certInfo><cn>c" + std::string(1, '\0') + "ut</cn></certInfo>", {});
    store.WriteFile(RegPath());

    std::vector<CertListEntry> lines = Query("");
    std::sort(lines.begin(), lines.end());
    // pugixml takes bytes as they stand; the zero byte ends the text of the record it is in.
    EXPECT_EQ(lines, (std::vector<CertListEntry>{"ze, 2", invalidUtf8 + ", 1"}));
}

TEST_F(QueryBadInputTest, DeeplyNestedXmlIsRead)
{
    std::string xml;
    for (int i = 0; i < 100000; ++i)
        xml += "<d>";
    xml += "<certInfo><cn>deep</cn><orgID>9</orgID></certInfo>";
    for (int i = 0; i < 100000; ++i)
        xml += "</d>";
    test_support::StoreWriter store;
    store.AddCertificate("deep", "9", xml, {});
    store.WriteFile(RegPath());
    EXPECT_EQ(Query("deep"), std::vector<CertListEntry>{"deep, 9"});
}

TEST_F(QueryBadInputTest, HugeValuesAndIdentifiersAreHandled)
{
    test_support::StoreWriter store;
    store.AddCertificate("small", "1", {});
    // A 50 MB value beside the records, and a 1 MB common name.
    store.Registry().SetBinary("Software\\DOZA\\CertStore", std::string(64, 'A'), Bytes(50 << 20, 0x5a));
    std::string bigName(1 << 20, 'x');
    store.AddCertificate(bigName, "2", {});
    store.WriteFile(RegPath());

    EXPECT_EQ(Query("small"), std::vector<CertListEntry>{"small, 1"});
    EXPECT_EQ(Query(bigName), std::vector<CertListEntry>{bigName + ", 2"});
    EXPECT_TRUE(Query(bigName + "y").empty());
}

}  // namespace
