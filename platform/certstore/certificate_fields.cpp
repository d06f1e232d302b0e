// Certificate fields and basic-constraints decoding, with OpenSSL's DER parser.

#include "platform/certstore/certificate_fields.h"

#include <algorithm>
#include <climits>

#include <openssl/asn1.h>
#include <openssl/objects.h>

#include "platform/certstore/openssl_ptr.h"

namespace platform::certstore {

namespace {

bool EncodeName(const X509_NAME* name, Bytes* encoded)
{
    unsigned char* der = nullptr;
    const int length = i2d_X509_NAME(name, &der);
    if (length < 0)
        return false;
    encoded->assign(der, der + length);
    OPENSSL_free(der);
    return true;
}

bool ReadExtension(X509_EXTENSION* extension, CertificateExtension* out)
{
    const ASN1_OBJECT* object = X509_EXTENSION_get_object(extension);
    const int textLength = OBJ_obj2txt(nullptr, 0, object, 1);
    if (textLength <= 0)
        return false;
    std::string objectId(static_cast<size_t>(textLength) + 1, '\0');
    OBJ_obj2txt(objectId.data(), textLength + 1, object, 1);
    objectId.resize(static_cast<size_t>(textLength));

    const ASN1_OCTET_STRING* value = X509_EXTENSION_get_data(extension);
    out->objectId = std::move(objectId);
    out->critical = X509_EXTENSION_get_critical(extension) > 0;
    out->value.assign(value->data, value->data + value->length);
    return true;
}

// One DER element header at *p within end: a definite length that fits, no indefinite form.
struct Element {
    int tag = 0;
    int cls = 0;
    bool constructed = false;
    const unsigned char* content = nullptr;
    long length = 0;
};

bool ReadElement(const unsigned char** p, const unsigned char* end, Element* element)
{
    if (*p >= end)
        return false;
    const unsigned char* q = *p;
    const int flags = ASN1_get_object(&q, &element->length, &element->tag, &element->cls, end - *p);
    if ((flags & 0x80) != 0 || (flags & 0x01) != 0)  // error, or indefinite length
        return false;
    element->constructed = (flags & V_ASN1_CONSTRUCTED) != 0;
    element->content = q;
    *p = q + element->length;
    return true;
}

bool IsUniversal(const Element& element, int tag, bool constructed)
{
    return element.cls == V_ASN1_UNIVERSAL && element.tag == tag && element.constructed == constructed;
}

}  // namespace

bool ReadCertificateFields(std::span<const unsigned char> der, CertificateFields* fields)
{
    if (der.empty() || der.size() > LONG_MAX)
        return false;
    const unsigned char* p = der.data();
    X509Ptr certificate(d2i_X509(nullptr, &p, static_cast<long>(der.size())));
    if (!certificate || p != der.data() + der.size())
        return false;

    CertificateFields read;
    if (!EncodeName(X509_get_issuer_name(certificate.get()), &read.issuer) ||
        !EncodeName(X509_get_subject_name(certificate.get()), &read.subject))
        return false;
    const int count = X509_get_ext_count(certificate.get());
    for (int i = 0; i < count; ++i) {
        CertificateExtension extension;
        if (!ReadExtension(X509_get_ext(certificate.get(), i), &extension))
            return false;
        read.extensions.push_back(std::move(extension));
    }
    *fields = std::move(read);
    return true;
}

const CertificateExtension* FindExtension(const std::string& objectId,
                                          const std::vector<CertificateExtension>& extensions)
{
    auto found = std::find_if(extensions.begin(), extensions.end(),
                              [&](const CertificateExtension& e) { return e.objectId == objectId; });
    return found == extensions.end() ? nullptr : &*found;
}

// BasicConstraintsSyntax ::= SEQUENCE { subjectType BIT STRING, pathLenConstraint INTEGER OPTIONAL,
//                                       subtreesConstraint SEQUENCE OF GeneralSubtree OPTIONAL }
std::optional<SubjectTypeBits> DecodeSubjectTypeConstraints(const Bytes& value)
{
    const unsigned char* p = value.data();
    const unsigned char* const valueEnd = value.data() + value.size();
    Element sequence;
    if (!ReadElement(&p, valueEnd, &sequence) || !IsUniversal(sequence, V_ASN1_SEQUENCE, true) || p != valueEnd)
        return std::nullopt;

    p = sequence.content;
    Element bits;
    if (!ReadElement(&p, valueEnd, &bits) || !IsUniversal(bits, V_ASN1_BIT_STRING, false) || bits.length < 1 ||
        bits.content[0] > 7)
        return std::nullopt;
    SubjectTypeBits subjectType;
    subjectType.byteCount = static_cast<size_t>(bits.length - 1);
    subjectType.firstByte = subjectType.byteCount > 0 ? bits.content[1] : 0;

    Element next;
    const unsigned char* q = p;
    if (q < valueEnd && ReadElement(&q, valueEnd, &next) && IsUniversal(next, V_ASN1_INTEGER, false))
        p = q;
    q = p;
    if (q < valueEnd && ReadElement(&q, valueEnd, &next) && IsUniversal(next, V_ASN1_SEQUENCE, true))
        p = q;
    if (p != valueEnd)
        return std::nullopt;
    return subjectType;
}

std::optional<bool> DecodeBasicConstraintsCa(const Bytes& value)
{
    if (value.size() > LONG_MAX)
        return std::nullopt;
    const unsigned char* p = value.data();
    BasicConstraintsPtr constraints(d2i_BASIC_CONSTRAINTS(nullptr, &p, static_cast<long>(value.size())));
    if (!constraints || p != value.data() + value.size())
        return std::nullopt;
    return constraints->ca != 0;
}

bool SameEncodedName(const Bytes& first, const Bytes& second)
{
    return first == second;
}

}  // namespace platform::certstore
