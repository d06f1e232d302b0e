#pragma once
// The program's logic over the private certificate store: naming and decrypting its values,
// reading certificate-info records and querying them by identifier, the role of a certificate
// and the import of a stored certificate into the user's certificate stores.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/certstore/certificate_fields.h"
#include "platform/registry/registry_key.h"
#include "store/result_code.h"

// Field name to field value of one certInfo record, both as the record's UTF-8 bytes.
using CertInfoRecord = std::map<std::string, std::string>;
// One query result line: cn, ", ", orgID.
using CertListEntry = std::string;

using platform::registry::RootKey;
inline constexpr RootKey HKEY_CURRENT_USER = RootKey::CurrentUser;

// The fields of a certificate that its role is decided on.
using CERT_INFO = platform::certstore::CertificateFields;

class CCertStoreAccess {
public:
    // Naming and cipher.
    std::string HashName(const unsigned char* data, int32_t length);
    ResultCode ComputeSha256(const unsigned char* data, int32_t length,
                             std::unique_ptr<unsigned char[]>* digest, int32_t* digestLength);
    std::string BytesToHex(const unsigned char* data, int32_t length);
    // 0 when plaintext came out, 1 otherwise. The plaintext buffer is four times the
    // ciphertext's length; only its first *plaintextLength bytes mean anything.
    ResultCode AesDecrypt(const unsigned char* key, const unsigned char* iv,
                          const unsigned char* ciphertext, int32_t length,
                          std::unique_ptr<unsigned char[]>* plaintext, int32_t* plaintextLength);

    // Registry. On success *data holds *size bytes and one zero byte more; 10001 on any failure.
    ResultCode ReadRegistryValue(RootKey root, const std::string& subKey, const std::string& valueName,
                                 std::vector<unsigned char>* data, int32_t* size);

    // Records and query.
    ResultCode ReadCertInfo(std::string certRegName, CertInfoRecord& certInfo);
    std::vector<CertListEntry> QueryCertList(std::string ID);

    // Role: "EE", "CA" or "ROOT".
    std::string GetCertType(const CERT_INFO& certInfo);

    // Import: 0, 5001 (not found or not PKCS#12), 5201 (a system store did not open) or
    // 5208 (the password does not verify, or the file is refused).
    ResultCode ImportCert(std::string orgID, std::string cn, const std::string& password);
};
