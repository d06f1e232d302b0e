#include "store/xml_reader.h"

#include <gtest/gtest.h>

namespace {

using Fields = std::map<std::string, std::string>;

TEST(CXmlReader, LoadsOnlyWellFormedDocuments)
{
    const std::pair<const char*, int> cases[] = {
        {"<certInfo><cn>a</cn></certInfo>", 0},
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"Big5\"?><!-- c --><a/>", 0},
        {"", -1},
        {"   ", -1},
        {"<certInfo><cn>a</cn>", -1},
        {"<a><b></a></b>", -1},
        {"plain text", -1},
    };
    for (const auto& [text, result] : cases) {
        CXmlReader reader;
        EXPECT_EQ(reader.Load(text), result) << text;
    }
}

TEST(CXmlReader, CollectsTheChildrenOfTheFirstSelectedElement)
{
    struct Case {
        const char* what;
        const char* xml;
        Fields fields;
    };
    const Case cases[] = {
        {"plain fields", "<certInfo><cn>王小明</cn><orgID>12345678</orgID></certInfo>",
         {{"cn", "王小明"}, {"orgID", "12345678"}}},
        {"later duplicate wins", "<certInfo><cn>one</cn><cn>two</cn></certInfo>", {{"cn", "two"}}},
        {"blanks kept", "<certInfo><cn> a b </cn></certInfo>", {{"cn", " a b "}}},
        {"CDATA and references", "<certInfo><cn><![CDATA[x<y]]></cn><orgID>A&amp;B&#20013;</orgID></certInfo>",
         {{"cn", "x<y"}, {"orgID", "A&B中"}}},
        {"text after a child element", "<certInfo><cn><b>bold</b>tail</cn></certInfo>", {{"cn", "tail"}}},
        {"only a child element", "<certInfo><cn><b>bold</b></cn></certInfo>", {{"cn", ""}}},
        {"attributes ignored", "<certInfo cn=\"attr\"><orgID id=\"1\">9</orgID></certInfo>", {{"orgID", "9"}}},
        {"nested deep, first one only", "<r><s><certInfo><cn>first</cn></certInfo></s><certInfo><cn>second</cn></certInfo></r>",
         {{"cn", "first"}}},
        {"stray text is an empty entry", "<certInfo>stray<cn>x</cn></certInfo>", {{"", ""}, {"cn", "x"}}},
        {"no certInfo", "<other><cn>x</cn></other>", {}},
        {"empty certInfo", "<certInfo/>", {}},
        {"name is case-sensitive", "<CertInfo><cn>x</cn></CertInfo>", {}},
        {"white space only text dropped", "<certInfo>\n  <cn>x</cn>\n</certInfo>", {{"cn", "x"}}},
        {"line ends normalised", "<certInfo><cn>a\r\nb</cn></certInfo>", {{"cn", "a\nb"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CXmlReader reader;
        ASSERT_EQ(reader.Load(c.xml), 0);
        EXPECT_EQ(reader.GetChildValues("//certInfo"), c.fields);
    }
}

}  // namespace
