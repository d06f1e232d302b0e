#pragma once
// Builds a private certificate store the way its owner writes it: each certificate's PKCS#12
// file and its certInfo record encrypted with AES-128-CBC under windows of the value name,
// in a Wine-format user.reg.

#include <string>
#include <vector>

#include "tests/support/wine_registry_writer.h"

namespace test_support {

using Bytes = std::vector<unsigned char>;

Bytes ToBytes(const std::string& text);

// AES-128-CBC with PKCS#7 padding; key and IV are the 16 characters of the name at the offsets.
Bytes EncryptBlob(const std::string& valueName, size_t keyOffset, size_t ivOffset, const Bytes& plaintext);

// HashName of cn + "@" + orgID: the name of a certificate's value.
std::string CertificateValueName(const std::string& cn, const std::string& orgID);

// A certInfo record with the two fields, XML-escaped.
std::string CertInfoXml(const std::string& cn, const std::string& orgID);

class StoreWriter {
public:
    // The certificate's PKCS#12 file under its value name, and its record under the same name
    // in CertInfo. An empty p12 writes the record alone.
    void AddCertificate(const std::string& cn, const std::string& orgID, const Bytes& p12);
    void AddCertificate(const std::string& cn, const std::string& orgID, const std::string& xml, const Bytes& p12);

    // A record value under any name, encrypted with that name's windows (names of at least 41 characters).
    void AddRecord(const std::string& valueName, const Bytes& plaintext);
    // A raw value in CertInfo, written as given.
    void AddRawRecordValue(const std::string& valueName, uint32_t type, Bytes data);

    // The rest of the user's registry lives beside the store.
    WineRegistryWriter& Registry() { return registry_; }

    std::string Render() const { return registry_.Render(); }
    void WriteFile(const std::string& path) const { registry_.WriteFile(path); }

private:
    WineRegistryWriter registry_;
};

}  // namespace test_support
