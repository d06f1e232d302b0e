// The query by identifier over a real Wine-format user.reg, written as the store's owner writes it.

#include <algorithm>

#include <gtest/gtest.h>

#include "store/cert_store_access.h"
#include "store/store_layout.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

using test_support::Bytes;
using test_support::ScopedEnv;
using test_support::StoreWriter;
using test_support::TempDir;
using test_support::ToBytes;

namespace {

// Names that sort (and so enumerate) in the order of their first character.
std::string RecordName(char first, size_t length = 64)
{
    std::string name(length, '7');
    name[0] = first;
    for (size_t i = 1; i < length; ++i)
        name[i] = "0123456789ABCDEF"[(i * 5 + static_cast<size_t>(first)) % 16];
    return name;
}

std::string Record(const std::string& cn, const std::string& orgID)
{
    return "<certInfo><cn>" + cn + "</cn><orgID>" + orgID + "</orgID></certInfo>";
}

class QueryTest : public ::testing::Test {
protected:
    TempDir prefix;
    ScopedEnv winePrefix{"WINEPREFIX", prefix.Path()};
    StoreWriter store;

    void Write() { store.WriteFile(prefix / "user.reg"); }

    std::vector<CertListEntry> Query(const std::string& id) { return CCertStoreAccess().QueryCertList(id); }

    // One of each kind of record that cannot be read, between readable ones.
    void WriteMixedStore()
    {
        store.AddRecord(RecordName('A'), ToBytes(Record("王小明", "12345678")));
        store.AddRawRecordValue(RecordName('B'), 1, {'x', 0});                           // not REG_BINARY
        store.AddRawRecordValue(RecordName('C'), 3, {});                                 // decrypts to nothing
        store.AddRawRecordValue(RecordName('D'),
                                3, test_support::EncryptBlob(RecordName('Z'), 7, 25, ToBytes(Record("王小明", "1"))));
        store.AddRecord(RecordName('E'), ToBytes("not xml at all"));
        store.AddRecord(RecordName('F'), ToBytes("<other><cn>王小明</cn></other>"));
        store.AddRecord(RecordName('G'), ToBytes("<certInfo><cn>王小明</cn></certInfo>"));
        store.AddRawRecordValue(RecordName('H', 40), 3, Bytes(32, 1));                   // too short for the windows
        store.AddRecord(RecordName('I', 254), ToBytes(Record("王小明", "254")));          // too long to enumerate
        store.AddRecord(RecordName('J', 253), ToBytes(Record("王小明", "253")));
        Bytes truncated = ToBytes(Record("王小明", "0"));
        truncated[20] = 0;
        store.AddRecord(RecordName('K'), truncated);
        store.AddRecord(RecordName('L'), ToBytes(Record("王小明", "12345678")));
        store.AddRecord(RecordName('M'), ToBytes(Record("Alice Chen", "A1")));
        store.Registry().SetBinary("Software\\DOZA\\CertStore\\CertInfo\\Sub", RecordName('N'),
                                   test_support::EncryptBlob(RecordName('N'), 7, 25, ToBytes(Record("王小明", "sub"))));
        store.Registry().SetBinary("Software\\Other", RecordName('O'),
                                   test_support::EncryptBlob(RecordName('O'), 7, 25, ToBytes(Record("王小明", "other"))));
        Write();
    }
};

TEST_F(QueryTest, SkipsEveryUnreadableRecordAndKeepsEnumerationOrder)
{
    WriteMixedStore();
    EXPECT_EQ(Query("小明"), (std::vector<CertListEntry>{"王小明, 12345678", "王小明, ", "王小明, 253", "王小明, 12345678"}));
}

TEST_F(QueryTest, EmptyIdentifierListsEveryReadableRecord)
{
    WriteMixedStore();
    EXPECT_EQ(Query(""), (std::vector<CertListEntry>{"王小明, 12345678", ", ", "王小明, ", "王小明, 253",
                                                     "王小明, 12345678", "Alice Chen, A1"}));
}

TEST_F(QueryTest, MatchesARunOfBytesExactly)
{
    store.AddCertificate("Alice Chen", "A1", {});
    store.AddCertificate(" 陳 大文 ", "B2", {});
    store.AddCertificate("\xB3\xAF" "Big5", "C3", {});  // 陳 in Big5
    Write();
    struct Case {
        std::string id;
        std::vector<CertListEntry> lines;
    };
    const Case cases[] = {
        {"ice C", {"Alice Chen, A1"}},
        {"alice", {}},
        {" ", {"Alice Chen, A1", " 陳 大文 , B2"}},
        {"陳 大文", {" 陳 大文 , B2"}},
        {"\xB3\xAF", {"\xB3\xAF" "Big5, C3"}},
        {"A1", {}},  // orgID is not searched
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        std::vector<CertListEntry> lines = Query(c.id);
        std::sort(lines.begin(), lines.end());
        std::vector<CertListEntry> expected = c.lines;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(lines, expected);
    }
}

TEST_F(QueryTest, NoStoreOrNoCertInfoKeyGivesNothing)
{
    EXPECT_TRUE(Query("").empty());  // no user.reg at all
    store.Registry().SetBinary("Software\\DOZA\\CertStore", "X", {1});
    Write();
    EXPECT_TRUE(Query("").empty());
}

TEST_F(QueryTest, ReadCertInfoReportsEachFailureAndLeavesTheRecordAlone)
{
    WriteMixedStore();
    struct Case {
        std::string name;
        ResultCode result;
    };
    const Case cases[] = {
        {RecordName('A'), 0},
        {RecordName('B'), 10001},
        {RecordName('C'), 1},
        {RecordName('D'), 7715},
        {RecordName('E'), 7715},
        {RecordName('F'), 0},
        {RecordName('H', 40), 10001},
        {RecordName('K'), 7715},
        {RecordName('Q'), 10001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CertInfoRecord record{{"previous", "value"}};
        EXPECT_EQ(CCertStoreAccess().ReadCertInfo(c.name, record), c.result);
        if (c.result != 0)
            EXPECT_EQ(record, (CertInfoRecord{{"previous", "value"}}));
        else
            EXPECT_EQ(record.count("previous"), 0u);
    }
}

}  // namespace
