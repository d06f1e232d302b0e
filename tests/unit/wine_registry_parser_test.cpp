#include "platform/registry/wine_registry_parser.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

using namespace platform::registry;

namespace {

using Bytes = std::vector<unsigned char>;

std::unique_ptr<Hive> ParseFixture()
{
    return ParseWineRegistry(test_support::ReadFileBytes(DIZORED_TEST_DATA_DIR "/wine_user.reg"));
}

Bytes Text(const std::string& s)
{
    Bytes data(s.begin(), s.end());
    data.push_back(0);
    return data;
}

std::vector<std::string> ValueNames(const HiveKey& key)
{
    std::vector<std::string> names;
    for (const RegistryValue& value : key.Values())
        names.push_back(value.name);
    return names;
}

TEST(WineRegistryParser, ReadsEveryValueTypeOfTheFixture)
{
    auto hive = ParseFixture();
    struct Case {
        const char* key;
        std::string name;
        uint32_t type;
        Bytes data;
    };
    const Case cases[] = {
        {"Control Panel\\Desktop", "DragFullWindows", kRegSz, Text("0")},
        {"Control Panel\\Desktop", "Pattern", kRegExpandSz, Text("%SystemRoot%\\pattern.bmp")},
        {"Control Panel\\Desktop", "WheelScrollLines", kRegDword, {0x2a, 0, 0, 0}},
        {"Software\\DOZA\\CertStore", "Empty", kRegBinary, {}},
        {"Software\\DOZA\\CertStore", "Short", kRegBinary, {0x0a, 0x1b, 0x2c}},
        {"Software\\DOZA\\CertStore\\CertInfo\\Nested", "", kRegSz, Text("ignored")},
        {"Software\\Wine\\中文[x]", "", kRegSz, Text("default")},
        {"Software\\Wine\\中文[x]", "設定", kRegSz, Text("值")},
        {"Software\\Wine\\中文[x]", "Multi", kRegMultiSz, Text(std::string("one\0two\0", 8))},
        {"Software\\Wine\\中文[x]", "Quoted \"name\" \\ here", kRegSz, Text("tab\there\nnewline")},
        {"Software\\Wine\\中文[x]", "Qword", 0xb, {0x2a, 0, 0, 0, 0, 0, 0, 0}},
        {"Software\\Wine\\中文[x]", "Smile\xF0\x9F\x98\x80", kRegBinary, {0x01}},
        {"Software\\Wine\\中文[x]", std::string("Octal\x01\x01" "2"), kRegBinary, {0x02}},
        {"Software\\Wine\\中文[x]", "Raw中文", kRegBinary, {0x03}},
        {"Software\\Wine\\Link", "SymbolicLinkValue", 6, {0x5c, 0, 0x52, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " / " + c.name);
        const HiveKey* key = hive->FindKey(c.key);
        ASSERT_NE(key, nullptr);
        const RegistryValue* value = key->FindValue(c.name);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->type, c.type);
        EXPECT_EQ(value->data, c.data);
    }
}

TEST(WineRegistryParser, JoinsContinuationLinesOfHexData)
{
    auto hive = ParseFixture();
    const RegistryValue* wrapped = hive->FindKey("Software\\DOZA\\CertStore")->FindValue("Wrapped");
    ASSERT_NE(wrapped, nullptr);
    Bytes expected;
    for (unsigned char i = 0; i < 0x32; ++i)
        expected.push_back(i);
    EXPECT_EQ(wrapped->data, expected);
}

TEST(WineRegistryParser, KeepsFileOrderAndSkipsMalformedValues)
{
    auto hive = ParseFixture();
    const HiveKey* key = hive->FindKey("software\\wine\\中文[X]");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(ValueNames(*key),
              (std::vector<std::string>{"", "設定", "Multi", "Quoted \"name\" \\ here", "Qword",
                                        "Smile\xF0\x9F\x98\x80", std::string("Octal\x01\x01" "2"), "Raw中文"}));
}

TEST(WineRegistryParser, ImpliesParentsAndCountsSubkeys)
{
    auto hive = ParseFixture();
    ASSERT_NE(hive->FindKey("Software\\DOZA\\CertStore\\CertInfo"), nullptr);
    EXPECT_EQ(hive->FindKey("Software\\DOZA\\CertStore\\CertInfo")->SubkeyCount(), 1u);
    EXPECT_EQ(hive->FindKey("Software\\DOZA\\CertStore\\CertInfo")->Values().size(), 0u);
    EXPECT_EQ(hive->FindKey("Software")->SubkeyCount(), 2u);
    EXPECT_EQ(hive->FindKey("Software\\Wine")->SubkeyCount(), 2u);
}

TEST(WineRegistryParser, MatchesKeyPathsAndValueNamesWithoutRegardToCase)
{
    auto hive = ParseFixture();
    const HiveKey* key = hive->FindKey("SOFTWARE\\doza\\CERTSTORE");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key, hive->FindKey("Software\\DOZA\\CertStore"));
    EXPECT_EQ(key, hive->FindKey("Software\\DOZA\\CertStore\\"));
    ASSERT_NE(key->FindValue("sHORT"), nullptr);
    EXPECT_EQ(hive->FindKey("\\Software\\DOZA"), nullptr);
    EXPECT_EQ(hive->FindKey("Software\\\\DOZA"), nullptr);
    EXPECT_EQ(hive->FindKey("Software\\DOZA\\Missing"), nullptr);
}

TEST(WineRegistryParser, AcceptsCrLfLineEnds)
{
    std::string text =
        "WINE REGISTRY Version 2\r\n\r\n[A\\\\B] 1\r\n#time=1\r\n\"V\"=hex:01,\\\r\n  02\r\n\"S\"=\"x\"\r\n";
    auto hive = ParseWineRegistry(text);
    const HiveKey* key = hive->FindKey("a\\b");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->FindValue("V")->data, (Bytes{1, 2}));
    EXPECT_EQ(key->FindValue("S")->data, Text("x"));
}

TEST(WineRegistryParser, GivesAnEmptyHiveForOtherFiles)
{
    const char* texts[] = {
        "",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"V\"=hex:01\n",
        "WINE REGISTRY Version 1\n[A] 1\n\"V\"=hex:01\n",
        "\xEF\xBB\xBFWINE REGISTRY Version 2\n[A] 1\n\"V\"=hex:01\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseWineRegistry(text)->FindKey("A"), nullptr);
    }
}

TEST(WineRegistryParser, DropsValuesOutsideAReadableKey)
{
    std::string text =
        "WINE REGISTRY Version 2\n"
        "\"Orphan\"=hex:01\n"
        "[A] 1\n\"Kept\"=hex:02\n"
        "[A\\\\Unclosed 1\n\"Lost\"=hex:03\n"
        "[a] 2\n\"Merged\"=hex:04\n\"kept\"=hex:05\n";
    auto hive = ParseWineRegistry(text);
    const HiveKey* key = hive->FindKey("A");
    ASSERT_NE(key, nullptr);
    // A second block of the same key merges into it; a value set again keeps its place.
    EXPECT_EQ(ValueNames(*key), (std::vector<std::string>{"Kept", "Merged"}));
    EXPECT_EQ(key->FindValue("Kept")->data, Bytes{5});
    EXPECT_EQ(hive->FindKey("")->Values().size(), 0u);
}

TEST(WineRegistryParser, SurvivesTruncatedAndUnpairedInput)
{
    // Every prefix of the fixture parses without fault; a cut inside hex data drops that value.
    std::string text = test_support::ReadFileBytes(DIZORED_TEST_DATA_DIR "/wine_user.reg");
    for (size_t length = 0; length <= text.size(); length += 7)
        ParseWineRegistry(std::string_view(text).substr(0, length));

    auto hive = ParseWineRegistry("WINE REGISTRY Version 2\n[A] 1\n\"\\xd800x\"=hex:01\n\"\\xdc00\"=hex:02\n"
                                  "\"Cut\"=hex:01,\\\n");
    const HiveKey* key = hive->FindKey("A");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(ValueNames(*key), (std::vector<std::string>{"\xEF\xBF\xBDx", "\xEF\xBF\xBD"}));
}

}  // namespace
