#include "platform/registry/hive.h"

#include <gtest/gtest.h>

using namespace platform::registry;

namespace {

TEST(Hive, CreatesParentsOnceAndCountsDirectChildren)
{
    Hive hive;
    ASSERT_NE(hive.AddKey("Software\\DOZA\\CertStore\\CertInfo"), nullptr);
    ASSERT_NE(hive.AddKey("SOFTWARE\\doza\\Other"), nullptr);
    EXPECT_EQ(hive.FindKey("")->SubkeyCount(), 1u);
    EXPECT_EQ(hive.FindKey("software")->SubkeyCount(), 1u);
    EXPECT_EQ(hive.FindKey("Software\\DOZA")->SubkeyCount(), 2u);
    EXPECT_EQ(hive.FindKey("Software\\DOZA\\CertStore\\CertInfo")->SubkeyCount(), 0u);
    EXPECT_EQ(hive.AddKey("software\\doza"), hive.FindKey("Software\\DOZA"));
}

TEST(Hive, RejectsPathsThatNameNoKey)
{
    Hive hive;
    const std::string longName(1021, 'n');
    std::string deep = "k";
    for (int i = 0; i < 512; ++i)
        deep += "\\k";
    for (const std::string& path : {std::string("\\Lead"), std::string("a\\\\b"), longName, deep}) {
        SCOPED_TRACE(path.substr(0, 40));
        EXPECT_EQ(hive.AddKey(path), nullptr);
        EXPECT_EQ(hive.FindKey(path), nullptr);
    }
    EXPECT_NE(hive.AddKey(std::string(1020, 'n')), nullptr);
}

TEST(Hive, ValueSetAgainKeepsItsPlaceAndTakesTheNewTypeAndData)
{
    Hive hive;
    HiveKey* key = hive.AddKey("K");
    key->SetValue("First", kRegBinary, {1});
    key->SetValue("Second", kRegBinary, {2});
    key->SetValue("FIRST", kRegSz, {'x', 0});
    ASSERT_EQ(key->Values().size(), 2u);
    EXPECT_EQ(key->Values()[0].name, "First");
    EXPECT_EQ(key->Values()[0].type, uint32_t{kRegSz});
    EXPECT_EQ(key->FindValue("first")->data, (std::vector<unsigned char>{'x', 0}));
    EXPECT_EQ(key->FindValue("Third"), nullptr);
}

}  // namespace
