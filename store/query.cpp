// Certificate-info records and the query by identifier.

#include "platform/registry/registry_key.h"
#include "store/cert_store_access.h"
#include "store/store_layout.h"
#include "store/xml_reader.h"

using platform::registry::RegistryKey;

ResultCode CCertStoreAccess::ReadCertInfo(std::string certRegName, CertInfoRecord& certInfo)
{
    // A name too short to hold both windows cannot name a record; it counts as unreadable.
    if (certRegName.size() < kCertInfoWindows.MinimumNameLength())
        return 10001;

    CXmlReader reader;
    WindowBuffer aesKey = CutWindow(certRegName, kCertInfoWindows.keyOffset);
    WindowBuffer aesIv = CutWindow(certRegName, kCertInfoWindows.ivOffset);
    std::string certInfoRegPath = std::string(kCertStoreRegPath) + "\\CertInfo";

    std::vector<unsigned char> data;
    int32_t size = 0;
    ResultCode result = ReadRegistryValue(HKEY_CURRENT_USER, certInfoRegPath, certRegName, &data, &size);
    if (result != 0)
        return result;

    std::unique_ptr<unsigned char[]> plaintext;
    int32_t plaintextLength = 0;
    result = AesDecrypt(aesKey.data(), aesIv.data(), data.data(), size, &plaintext, &plaintextLength);
    if (result != 0)
        return result;

    // The text ends at its first zero byte, as a C string would.
    std::string xmlCertInfo(reinterpret_cast<const char*>(plaintext.get()), static_cast<size_t>(plaintextLength));
    if (reader.Load(xmlCertInfo.c_str()) != 0)
        return 7715;

    certInfo = reader.GetChildValues("//certInfo");
    return 0;
}

std::vector<CertListEntry> CCertStoreAccess::QueryCertList(std::string ID)
{
    std::vector<CertListEntry> ret;
    CertInfoRecord certInfo;
    std::string certRegName;

    RegistryKey certInfoKey;
    uint32_t dwCountOfSubKey = 0;
    uint32_t dwCountOfValue = 0;
    if (certInfoKey.Open(HKEY_CURRENT_USER, kCertInfoRegPath) != 0
        || certInfoKey.QueryInfo(&dwCountOfSubKey, &dwCountOfValue) != 0)
        return ret;

    char tmpRegValueName[254];
    for (uint32_t index = 0; index < dwCountOfValue; ++index) {
        uint32_t tmpRegValueNameSize = sizeof tmpRegValueName;
        if (certInfoKey.EnumValueName(index, tmpRegValueName, &tmpRegValueNameSize, nullptr) != 0)
            continue;
        certRegName.assign(tmpRegValueName, tmpRegValueNameSize);
        if (ReadCertInfo(certRegName, certInfo) != 0)
            continue;
        const std::string& cn = certInfo["cn"];
        if (cn.find(ID) == std::string::npos)
            continue;
        ret.push_back(cn + ", " + certInfo["orgID"]);
    }
    return ret;
}
