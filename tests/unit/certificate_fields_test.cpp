// Certificate fields as OpenSSL reads them, and the two basic-constraints decoders.

#include <optional>

#include <gtest/gtest.h>

#include "platform/certstore/certificate_fields.h"
#include "tests/support/pkcs12_fixtures.h"

using namespace platform::certstore;
using test_support::Fixtures;

namespace {

TEST(DecodeSubjectTypeConstraintsTest, ReadsTheBitStringOfWellFormedValues)
{
    struct Case {
        const char* what;
        Bytes value;
        size_t byteCount;
        unsigned char firstByte;
    } cases[] = {
        {"authority", {0x30, 0x04, 0x03, 0x02, 0x06, 0x80}, 1, 0x80},
        {"both bits", {0x30, 0x04, 0x03, 0x02, 0x06, 0xC0}, 1, 0xC0},
        {"end entity", {0x30, 0x04, 0x03, 0x02, 0x06, 0x40}, 1, 0x40},
        {"no bits", {0x30, 0x03, 0x03, 0x01, 0x00}, 0, 0x00},
        {"two bytes", {0x30, 0x05, 0x03, 0x03, 0x00, 0x80, 0x00}, 2, 0x80},
        {"path length", {0x30, 0x07, 0x03, 0x02, 0x06, 0x80, 0x02, 0x01, 0x03}, 1, 0x80},
        {"subtrees", {0x30, 0x06, 0x03, 0x02, 0x06, 0x80, 0x30, 0x00}, 1, 0x80},
        {"path length and subtrees",
         {0x30, 0x09, 0x03, 0x02, 0x06, 0x40, 0x02, 0x01, 0x00, 0x30, 0x00}, 1, 0x40},
    };
    for (const Case& c : cases) {
        std::optional<SubjectTypeBits> bits = DecodeSubjectTypeConstraints(c.value);
        ASSERT_TRUE(bits.has_value()) << c.what;
        EXPECT_EQ(bits->byteCount, c.byteCount) << c.what;
        EXPECT_EQ(bits->firstByte, c.firstByte) << c.what;
    }
}

TEST(DecodeSubjectTypeConstraintsTest, RefusesMalformedValues)
{
    struct Case {
        const char* what;
        Bytes value;
    } cases[] = {
        {"empty", {}},
        {"not a sequence", {0x31, 0x04, 0x03, 0x02, 0x06, 0x80}},
        {"integer first", {0x30, 0x03, 0x02, 0x01, 0x05}},
        {"empty sequence", {0x30, 0x00}},
        {"bit string without its unused-bits octet", {0x30, 0x02, 0x03, 0x00}},
        {"eight unused bits", {0x30, 0x04, 0x03, 0x02, 0x08, 0x80}},
        {"cut short", {0x30, 0x05, 0x03, 0x02, 0x06, 0x80}},
        {"bytes after the sequence", {0x30, 0x04, 0x03, 0x02, 0x06, 0x80, 0x00}},
        {"unknown element inside", {0x30, 0x07, 0x03, 0x02, 0x06, 0x80, 0x04, 0x01, 0x00}},
        {"indefinite length", {0x30, 0x80, 0x03, 0x02, 0x06, 0x80, 0x00, 0x00}},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(DecodeSubjectTypeConstraints(c.value).has_value()) << c.what;
}

TEST(DecodeBasicConstraintsCaTest, ReadsTheCaFlag)
{
    EXPECT_EQ(DecodeBasicConstraintsCa({0x30, 0x03, 0x01, 0x01, 0xFF}), std::optional<bool>(true));
    EXPECT_EQ(DecodeBasicConstraintsCa({0x30, 0x06, 0x01, 0x01, 0xFF, 0x02, 0x01, 0x00}), std::optional<bool>(true));
    EXPECT_EQ(DecodeBasicConstraintsCa({0x30, 0x00}), std::optional<bool>(false));
    EXPECT_EQ(DecodeBasicConstraintsCa({0x30, 0x03, 0x02, 0x01, 0x05}), std::optional<bool>(false));  // path length only

    EXPECT_FALSE(DecodeBasicConstraintsCa({}).has_value());
    EXPECT_FALSE(DecodeBasicConstraintsCa({0x01, 0x01, 0xFF}).has_value());
    EXPECT_FALSE(DecodeBasicConstraintsCa({0x30, 0x03, 0x01, 0x01}).has_value());
    EXPECT_FALSE(DecodeBasicConstraintsCa({0x30, 0x00, 0x00}).has_value());
}

TEST(ReadCertificateFieldsTest, ReadsNamesAndExtensionsOfRealCertificates)
{
    const auto& f = Fixtures();
    CertificateFields root, intermediate, ee, earlyRoot;
    ASSERT_TRUE(ReadCertificateFields(f.rootDer, &root));
    ASSERT_TRUE(ReadCertificateFields(f.intermediateDer, &intermediate));
    ASSERT_TRUE(ReadCertificateFields(f.eeDer, &ee));
    ASSERT_TRUE(ReadCertificateFields(f.earlyRootDer, &earlyRoot));

    EXPECT_TRUE(SameEncodedName(root.issuer, root.subject));
    EXPECT_TRUE(SameEncodedName(intermediate.issuer, root.subject));
    EXPECT_TRUE(SameEncodedName(ee.issuer, intermediate.subject));
    EXPECT_FALSE(SameEncodedName(ee.issuer, ee.subject));
    EXPECT_EQ(root.subject.front(), 0x30);  // the DER of the Name, not its text

    const CertificateExtension* constraints = FindExtension(kOidBasicConstraints, root.extensions);
    ASSERT_NE(constraints, nullptr);
    EXPECT_TRUE(constraints->critical);
    EXPECT_EQ(DecodeBasicConstraintsCa(constraints->value), std::optional<bool>(true));
    EXPECT_EQ(FindExtension(kOidSubjectTypeConstraints, root.extensions), nullptr);

    const CertificateExtension* early = FindExtension(kOidSubjectTypeConstraints, earlyRoot.extensions);
    ASSERT_NE(early, nullptr);
    EXPECT_FALSE(early->critical);
    EXPECT_EQ(early->value, Bytes({0x30, 0x04, 0x03, 0x02, 0x06, 0x80}));
    EXPECT_EQ(FindExtension(kOidBasicConstraints, earlyRoot.extensions), nullptr);
}

TEST(ReadCertificateFieldsTest, RefusesWhatIsNotOneWholeCertificate)
{
    CertificateFields fields;
    Bytes withTrailer = Fixtures().eeDer;
    withTrailer.push_back(0x00);
    Bytes truncated(Fixtures().eeDer.begin(), Fixtures().eeDer.end() - 1);
    EXPECT_FALSE(ReadCertificateFields(withTrailer, &fields));
    EXPECT_FALSE(ReadCertificateFields(truncated, &fields));
    EXPECT_FALSE(ReadCertificateFields(Bytes{}, &fields));
    EXPECT_FALSE(ReadCertificateFields(Fixtures().chainModern, &fields));
}

TEST(FindExtensionTest, FindsTheFirstOfAnObjectIdentifier)
{
    std::vector<CertificateExtension> extensions = {
        {"2.5.29.15", true, {0x01}},
        {"2.5.29.19", false, {0x02}},
        {"2.5.29.19", true, {0x03}},
    };
    const CertificateExtension* found = FindExtension("2.5.29.19", extensions);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->value, Bytes({0x02}));
    EXPECT_EQ(FindExtension("2.5.29.1", extensions), nullptr);  // no prefix match
    EXPECT_EQ(FindExtension("2.5.29.10", {}), nullptr);
}

}  // namespace
