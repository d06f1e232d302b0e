// The store writer must produce files exactly as wineserver saves them, or the tests that
// use it would prove nothing about real prefixes.

#include "tests/support/wine_registry_writer.h"

#include <gtest/gtest.h>

#include "platform/registry/wine_registry_parser.h"

using namespace platform::registry;
using test_support::WineRegistryWriter;

namespace {

TEST(WineRegistryWriter, WritesWineserversLayout)
{
    WineRegistryWriter writer;
    std::vector<unsigned char> ramp;
    for (int i = 0; i < 30; ++i)
        ramp.push_back(static_cast<unsigned char>(i));
    writer.SetBinary("Software\\DOZA\\CertStore", "b", ramp);
    writer.SetString("Software\\DOZA\\CertStore", "A \"q\"", "中1");
    writer.SetDword("Software\\DOZA\\CertStore", "", 42);
    writer.AddKey("Software\\DOZA\\CertStore\\CertInfo");
    writer.SetString("Software\\Alpha[1]", "x", "a\\b\tc");

    EXPECT_EQ(writer.Render(),
              "WINE REGISTRY Version 2\n"
              ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
              "\n"
              "#arch=win64\n"
              "\n"
              "[Software\\\\Alpha\\[1\\]] 1733900000\n"
              "#time=1db4b6c8a4c1e00\n"
              "\"x\"=\"a\\\\b\\tc\"\n"
              "\n"
              "[Software\\\\DOZA\\\\CertStore] 1733900000\n"
              "#time=1db4b6c8a4c1e00\n"
              "@=dword:0000002a\n"
              "\"A \\\"q\\\"\"=\"\\x4e2d1\"\n"
              "\"b\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n"
              "  17,18,19,1a,1b,1c,1d\n"
              "\n"
              "[Software\\\\DOZA\\\\CertStore\\\\CertInfo] 1733900000\n"
              "#time=1db4b6c8a4c1e00\n");
}

TEST(WineRegistryWriter, WhatItWritesReadsBackUnchanged)
{
    const std::vector<std::string> names = {
        "plain", "中文名稱", "emoji \xF0\x9F\x98\x80", "back\\slash", "quote\"d", "ctl\x01\x1b" "7", "x\xE4\xB8\xAD" "f",
    };
    WineRegistryWriter writer;
    std::vector<unsigned char> big(1000);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<unsigned char>(i * 7);
    for (const std::string& name : names)
        writer.SetBinary("Software\\鍵\\[odd]", name, big);

    auto hive = ParseWineRegistry(writer.Render());
    const HiveKey* key = hive->FindKey("software\\鍵\\[ODD]");
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->Values().size(), names.size());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const RegistryValue* value = key->FindValue(name);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->name, name);
        EXPECT_EQ(value->data, big);
    }
}

}  // namespace
