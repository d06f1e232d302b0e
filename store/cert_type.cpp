// The role of a certificate, from its basic-constraints extensions and its names.

#include "store/cert_store_access.h"

using namespace platform::certstore;

std::string CCertStoreAccess::GetCertType(const CERT_INFO& certInfo)
{
    std::string certType;

    // The early extension, where present, decides alone, even when it decides nothing.
    if (const CertificateExtension* early = FindExtension(kOidSubjectTypeConstraints, certInfo.extensions)) {
        std::optional<SubjectTypeBits> certBci = DecodeSubjectTypeConstraints(early->value);
        if (certBci && certBci->byteCount == 1) {
            if (certBci->firstByte & kCaSubjectFlag)
                certType = "CA";
            else if (certBci->firstByte & kEndEntitySubjectFlag)
                certType = "EE";
        }
    } else if (const CertificateExtension* standard = FindExtension(kOidBasicConstraints, certInfo.extensions)) {
        if (std::optional<bool> fCA = DecodeBasicConstraintsCa(standard->value))
            certType = *fCA ? "CA" : "EE";
    }

    if (certType == "CA" && SameEncodedName(certInfo.issuer, certInfo.subject))
        certType = "ROOT";
    if (certType.empty())
        certType = "EE";
    return certType;
}
