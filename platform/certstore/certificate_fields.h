#pragma once
// The fields of a certificate that its role depends on, and the decoders of its two
// basic-constraints extensions.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::certstore {

using Bytes = std::vector<unsigned char>;

inline constexpr const char* kOidSubjectTypeConstraints = "2.5.29.10";  // the early X.509 form
inline constexpr const char* kOidBasicConstraints = "2.5.29.19";

struct CertificateExtension {
    std::string objectId;  // dotted decimal
    bool critical = false;
    Bytes value;  // DER, the content of the extension's OCTET STRING
};

struct CertificateFields {
    Bytes issuer;   // DER-encoded names, as they stand in the certificate
    Bytes subject;
    std::vector<CertificateExtension> extensions;
};

// False when der is not one whole X.509 certificate.
bool ReadCertificateFields(std::span<const unsigned char> der, CertificateFields* fields);

// The first extension with that object identifier, or null.
const CertificateExtension* FindExtension(const std::string& objectId,
                                          const std::vector<CertificateExtension>& extensions);

// The subject-type bit string of extension 2.5.29.10: its content bytes (the leading
// unused-bits octet not counted) and the first of them (0 when there is none).
struct SubjectTypeBits {
    size_t byteCount = 0;
    unsigned char firstByte = 0;
};
inline constexpr unsigned char kCaSubjectFlag = 0x80;
inline constexpr unsigned char kEndEntitySubjectFlag = 0x40;

std::optional<SubjectTypeBits> DecodeSubjectTypeConstraints(const Bytes& value);

// The CA flag of extension 2.5.29.19.
std::optional<bool> DecodeBasicConstraintsCa(const Bytes& value);

// Identity of two encoded names, byte for byte.
bool SameEncodedName(const Bytes& first, const Bytes& second);

}  // namespace platform::certstore
