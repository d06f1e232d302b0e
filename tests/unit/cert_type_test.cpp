// The role of a certificate: "EE", "CA" or "ROOT" from its basic-constraints extensions and names.

#include <gtest/gtest.h>

#include "store/cert_store_access.h"
#include "tests/support/pkcs12_fixtures.h"

using platform::certstore::Bytes;
using platform::certstore::CertificateExtension;
using platform::certstore::ReadCertificateFields;

namespace {

const Bytes kNameA = {0x30, 0x0B, 0x31, 0x09, 0x30, 0x07, 0x06, 0x03, 0x55, 0x04, 0x03, 0x0C, 0x00};
const Bytes kNameB = {0x30, 0x0C, 0x31, 0x0A, 0x30, 0x08, 0x06, 0x03, 0x55, 0x04, 0x03, 0x0C, 0x01, 0x42};

CertificateExtension Early(unsigned char subjectType, bool critical = false)
{
    return {"2.5.29.10", critical, {0x30, 0x04, 0x03, 0x02, 0x06, subjectType}};
}
CertificateExtension EarlyTwoBytes(unsigned char first)
{
    return {"2.5.29.10", false, {0x30, 0x05, 0x03, 0x03, 0x00, first, 0x00}};
}
CertificateExtension EarlyBroken()
{
    return {"2.5.29.10", false, {0x05, 0x00}};
}
CertificateExtension Standard(bool ca, bool critical = false)
{
    return ca ? CertificateExtension{"2.5.29.19", critical, {0x30, 0x03, 0x01, 0x01, 0xFF}}
              : CertificateExtension{"2.5.29.19", critical, {0x30, 0x00}};
}
CertificateExtension StandardBroken()
{
    return {"2.5.29.19", false, {0x30, 0x03, 0x01}};
}
CertificateExtension KeyUsage()
{
    return {"2.5.29.15", true, {0x03, 0x02, 0x01, 0x06}};
}

struct Case {
    const char* what;
    bool selfIssued;
    std::vector<CertificateExtension> extensions;
    const char* certType;
};

TEST(GetCertTypeTest, DecidesFromTheExtensionsAndNames)
{
    const Case cases[] = {
        {"no extension", false, {}, "EE"},
        {"no extension, self-issued", true, {}, "EE"},
        {"only other extensions, self-issued", true, {KeyUsage()}, "EE"},
        {"standard CA", false, {Standard(true)}, "CA"},
        {"standard CA, self-issued", true, {KeyUsage(), Standard(true)}, "ROOT"},
        {"standard CA, critical", false, {Standard(true, true)}, "CA"},
        {"standard not CA", false, {Standard(false)}, "EE"},
        {"standard not CA, self-issued", true, {Standard(false)}, "EE"},
        {"standard undecodable, self-issued", true, {StandardBroken()}, "EE"},
        {"early authority", false, {Early(0x80)}, "CA"},
        {"early authority, self-issued", true, {Early(0x80)}, "ROOT"},
        {"early authority, critical", false, {Early(0x80, true)}, "CA"},
        {"early both bits", false, {Early(0xC0)}, "CA"},
        {"early both bits, self-issued", true, {Early(0xC0)}, "ROOT"},
        {"early end entity", false, {Early(0x40)}, "EE"},
        {"early end entity, self-issued", true, {Early(0x40)}, "EE"},
        {"early no bit", false, {Early(0x00)}, "EE"},
        {"early other bits only", false, {Early(0x3F)}, "EE"},
        {"early two bytes beats standard CA", false, {EarlyTwoBytes(0x80), Standard(true)}, "EE"},
        {"early two bytes, self-issued", true, {EarlyTwoBytes(0x80)}, "EE"},
        {"early end entity beats standard CA", false, {Early(0x40), Standard(true)}, "EE"},
        {"early decides wherever it stands", true, {Standard(true), Early(0x40)}, "EE"},
        {"early authority beats standard not CA", false, {Standard(false), Early(0x80)}, "CA"},
        {"early undecodable keeps standard out", true, {EarlyBroken(), Standard(true)}, "EE"},
        {"early no bit keeps standard out", false, {Early(0x00), Standard(true)}, "EE"},
        {"first early extension counts", false, {Early(0x40), Early(0x80)}, "EE"},
        {"first standard extension counts", false, {Standard(true), Standard(false)}, "CA"},
    };
    for (const Case& c : cases) {
        CERT_INFO certInfo;
        certInfo.subject = kNameA;
        certInfo.issuer = c.selfIssued ? kNameA : kNameB;
        certInfo.extensions = c.extensions;
        EXPECT_EQ(CCertStoreAccess().GetCertType(certInfo), c.certType) << c.what;
    }
}

TEST(GetCertTypeTest, NamesAreComparedAsEncodedBytes)
{
    // The same common name as PrintableString and as UTF8String: not the same name.
    CERT_INFO certInfo;
    certInfo.subject = {0x30, 0x0C, 0x31, 0x0A, 0x30, 0x08, 0x06, 0x03, 0x55, 0x04, 0x03, 0x13, 0x01, 0x42};
    certInfo.issuer = kNameB;
    certInfo.extensions = {Standard(true)};
    EXPECT_EQ(CCertStoreAccess().GetCertType(certInfo), "CA");
}

TEST(GetCertTypeTest, ClassifiesRealCertificates)
{
    const auto& f = test_support::Fixtures();
    const struct {
        const char* what;
        const Bytes& der;
        const char* certType;
    } cases[] = {
        {"root", f.rootDer, "ROOT"},
        {"intermediate", f.intermediateDer, "CA"},
        {"end entity", f.eeDer, "EE"},
        {"root with only the early extension", f.earlyRootDer, "ROOT"},
        {"early end entity whose standard extension says CA", f.earlyEeDer, "EE"},
        {"self-signed without basic constraints", f.selfSignedDer, "EE"},
    };
    for (const auto& c : cases) {
        CERT_INFO certInfo;
        ASSERT_TRUE(ReadCertificateFields(c.der, &certInfo)) << c.what;
        EXPECT_EQ(CCertStoreAccess().GetCertType(certInfo), c.certType) << c.what;
    }
}

}  // namespace
