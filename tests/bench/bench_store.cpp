#include "tests/bench/bench_store.h"

#include <filesystem>
#include <random>

#include "tests/support/store_writer.h"

namespace bench {

namespace {

// About 450 bytes, as the maker's records are: the two fields the query reads and the rest.
std::string RecordXml(int i)
{
    std::string cn = (i % 100 == 0 ? "測試用戶" : "一般用戶") + std::to_string(i);
    std::string orgID = std::to_string(10000000 + i);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<certInfo>\n"
           "  <cn>" + cn + "</cn>\n"
           "  <orgID>" + orgID + "</orgID>\n"
           "  <serialNumber>4F2A" + std::to_string(i * 7919) + "9C01D3</serialNumber>\n"
           "  <issuer>C=TW, O=DOZA Certification Authority, CN=DOZA User CA G2</issuer>\n"
           "  <notBefore>2025/03/01 08:00:00</notBefore>\n"
           "  <notAfter>2027/03/01 07:59:59</notAfter>\n"
           "  <keyUsage>digitalSignature, nonRepudiation</keyUsage>\n"
           "  <certType>EE</certType>\n"
           "</certInfo>\n";
}

}  // namespace

std::string BenchPrefix(const std::string& workDir, int records)
{
    std::string dir = workDir + "/records-" + std::to_string(records);
    std::string file = dir + "/user.reg";
    if (std::filesystem::exists(file))
        return dir;
    std::filesystem::create_directories(dir);

    test_support::StoreWriter store;
    std::mt19937 random(42);
    for (int i = 0; i < records; ++i) {
        std::string name = test_support::CertificateValueName("user" + std::to_string(i), std::to_string(i));
        store.AddRecord(name, test_support::ToBytes(RecordXml(i)));
        // Of each hundred records, one has its certificate file (a PKCS#12 of about 2.5 KB) stored too.
        if (i % 100 == 0) {
            test_support::Bytes p12(2500);
            for (auto& byte : p12)
                byte = static_cast<unsigned char>(random());
            store.Registry().SetBinary("Software\\DOZA\\CertStore", name, p12);
        }
        // The rest of the registry: application settings, recent files, Wine's own keys.
        std::string app = "Software\\Maker" + std::to_string(i % 50) + "\\App\\Settings";
        store.Registry().SetString(app, "Recent" + std::to_string(i), "C:\\users\\user\\Documents\\報表" + std::to_string(i) + ".pdf");
        store.Registry().SetDword(app, "Flag" + std::to_string(i), static_cast<uint32_t>(random()));
    }
    store.Registry().SetString("Control Panel\\Desktop", "Wallpaper", "");
    store.Registry().SetString("Software\\Wine\\Explorer", "Desktop", "Default");
    store.WriteFile(file);
    return dir;
}

}  // namespace bench
