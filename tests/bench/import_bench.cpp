// The import of one stored certificate into a real NSS database, against the openssl command
// and OpenSSL's own PKCS12_parse doing the password work on the same file.

#include <openssl/pkcs12.h>

#include <filesystem>

#include <benchmark/benchmark.h>

#include "store/cert_store_access.h"
#include "tests/support/pkcs12_fixtures.h"
#include "tests/support/run_process.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

namespace {

const char* kCn = "王小明";
const char* kOrgID = "12345678";

// Every round imports the same file again, as a user who clicks twice would: the keys and
// certificates are already there after the first, and the work is the password checks.
void BM_ImportCert(benchmark::State& state)
{
    const test_support::Pkcs12Fixtures& fixtures = test_support::Fixtures();
    test_support::TempDir dir;
    test_support::StoreWriter store;
    store.AddCertificate(kCn, kOrgID, fixtures.chainModern);
    std::filesystem::create_directory(dir / "prefix");
    std::filesystem::create_directory(dir / "home");
    store.WriteFile(dir / "prefix/user.reg");
    test_support::ScopedEnv prefix("WINEPREFIX", dir / "prefix");
    test_support::ScopedEnv home("HOME", dir / "home");
    test_support::ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);

    ResultCode result = 0;
    for (auto _ : state)
        result = CCertStoreAccess().ImportCert(kOrgID, kCn, test_support::kPkcs12Password);
    if (result != 0)
        state.SkipWithError("import failed");
}

void BM_OpensslPkcs12Command(benchmark::State& state)
{
    std::string file = test_support::Fixtures().directory + "/chain-modern.p12";
    int status = 0;
    for (auto _ : state) {
        status = test_support::RunProcess({"/usr/bin/openssl", "pkcs12", "-in", file, "-noout", "-passin",
                                           std::string("pass:") + test_support::kPkcs12Password})
                     .exitStatus;
    }
    if (status != 0)
        state.SkipWithError("openssl pkcs12 failed");
}

void BM_Pkcs12Parse(benchmark::State& state)
{
    const test_support::Bytes& p12Bytes = test_support::Fixtures().chainModern;
    int ok = 0;
    for (auto _ : state) {
        const unsigned char* cursor = p12Bytes.data();
        PKCS12* p12 = d2i_PKCS12(nullptr, &cursor, static_cast<long>(p12Bytes.size()));
        EVP_PKEY* key = nullptr;
        X509* cert = nullptr;
        STACK_OF(X509)* ca = nullptr;
        ok = PKCS12_parse(p12, test_support::kPkcs12Password, &key, &cert, &ca);
        EVP_PKEY_free(key);
        X509_free(cert);
        sk_X509_pop_free(ca, X509_free);
        PKCS12_free(p12);
    }
    if (ok != 1)
        state.SkipWithError("PKCS12_parse failed");
}

}  // namespace

BENCHMARK(BM_ImportCert)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpensslPkcs12Command)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Pkcs12Parse)->Unit(benchmark::kMillisecond)->MinTime(2.0);
