// ImportCert on stored values that are damaged, hostile or absurdly large, with the registry
// and the certificate stores in memory: each gives a clear code, nothing reaches a store,
// and a file that asks for endless key-derivation work is refused before doing it.

#include <gtest/gtest.h>

#include "platform/certstore/memory_cert_store.h"
#include "platform/registry/registry_source.h"
#include "store/cert_store_access.h"
#include "store/pkcs12_work.h"
#include "store/store_layout.h"
#include "tests/support/pkcs12_builder.h"
#include "tests/support/pkcs12_fixtures.h"
#include "tests/support/store_writer.h"

using platform::certstore::MemoryCertificateStoreBackend;
using platform::certstore::ScopedCertificateStoreBackend;
using platform::registry::Hive;
using platform::registry::kRegBinary;
using platform::registry::ScopedCurrentUserHive;
using test_support::BuildPkcs12;
using test_support::Bytes;
using test_support::Fixtures;
using test_support::kPkcs12Password;
using test_support::Pkcs12Recipe;

namespace {

using Calls = std::vector<std::string>;
const Calls kImportAndOpenAll = {"import 0x5001", "open MY", "open CA", "open ROOT"};

class ImportBadInputTest : public ::testing::Test {
protected:
    std::shared_ptr<Hive> hive = std::make_shared<Hive>();
    ScopedCurrentUserHive useHive{hive};
    MemoryCertificateStoreBackend stores;
    ScopedCertificateStoreBackend useMemoryStores{stores};

    // The value as the owner stores it: the file encrypted under its name's windows.
    void Store(const std::string& cn, const std::string& orgID, const Bytes& p12)
    {
        const std::string name = test_support::CertificateValueName(cn, orgID);
        StoreRaw(name, test_support::EncryptBlob(name, kCertificateWindows.keyOffset, kCertificateWindows.ivOffset, p12));
    }
    void StoreRaw(const std::string& name, Bytes data)
    {
        hive->AddKey(kCertStoreRegPath)->SetValue(name, kRegBinary, std::move(data));
    }

    ResultCode Import(const std::string& orgID, const std::string& cn, const std::string& password = kPkcs12Password)
    {
        return CCertStoreAccess().ImportCert(orgID, cn, password);
    }

    void ExpectNothingTouched()
    {
        EXPECT_EQ(stores.Calls(), Calls{});
        EXPECT_EQ(stores.KeyCount(), 0u);
    }
};

TEST_F(ImportBadInputTest, ATruncatedFileIsNotAPkcs12File)
{
    const Bytes& whole = Fixtures().chainModern;
    for (size_t length : {size_t{1}, size_t{4}, whole.size() / 2, whole.size() - 20, whole.size() - 1}) {
        Store("CUT", "1", Bytes(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(length)));
        EXPECT_EQ(Import("1", "CUT"), 5001) << length << " of " << whole.size() << " bytes";
    }
    ExpectNothingTouched();
}

TEST_F(ImportBadInputTest, GarbageIsNotAPkcs12File)
{
    Bytes noise(4096);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<unsigned char>((i * 2654435761u) >> 13);
    Store("NOISE", "1", noise);
    StoreRaw(test_support::CertificateValueName("RAW", "1"), noise);  // not even encrypted
    StoreRaw(test_support::CertificateValueName("PLAIN", "1"), Fixtures().chainModern);  // a file stored unencrypted
    Bytes sequence = {0x30, 0x84, 0x7F, 0xFF, 0xFF, 0xFF};  // a SEQUENCE that claims 2 GB
    Store("CLAIMS", "1", sequence);
    for (const char* cn : {"NOISE", "RAW", "PLAIN", "CLAIMS"})
        EXPECT_EQ(Import("1", cn), 5001) << cn;
    ExpectNothingTouched();
}

// MAC first: its count is checked before the MAC is computed. Then every derivation of the
// file together: the encrypted certificate part and the encrypted key.
TEST_F(ImportBadInputTest, AFileThatAsksForTooManyIterationsIsRefusedBeforeTheWork)
{
    const int64_t kHours = 2'000'000'000;  // hours of hashing, per derivation
    const struct {
        const char* what;
        Pkcs12Recipe recipe;
    } cases[] = {
        {"MAC", {.macIterations = kHours}},
        {"MAC beyond 64 bits of int", {.macIterations = INT64_MAX}},
        {"key", {.keyIterations = kHours}},
        {"certificate part", {.certIterations = kHours}},
        {"just over the budget", {.macIterations = 1, .keyIterations = kMaxPkcs12Iterations}},
        {"three large ones", {.macIterations = 1'000'000, .keyIterations = 1'000'000, .certIterations = 3'100'000}},
    };
    for (const auto& c : cases) {
        Store("SLOW", "1", BuildPkcs12(c.recipe));
        EXPECT_EQ(Import("1", "SLOW"), 5001) << c.what;
        EXPECT_EQ(Import("1", "SLOW", "wrong"), c.recipe.macIterations > kMaxPkcs12Iterations ? 5001 : 5208)
            << c.what;
    }
    ExpectNothingTouched();
}

TEST_F(ImportBadInputTest, ACountThatIsZeroOrNegativeIsRefused)
{
    const Pkcs12Recipe recipes[] = {
        {.macIterations = -1}, {.keyIterations = 0}, {.keyIterations = -1}, {.certIterations = -5}};
    for (const Pkcs12Recipe& recipe : recipes) {
        Store("ODD", "1", BuildPkcs12(recipe));
        EXPECT_EQ(Import("1", "ODD"), 5001) << recipe.macIterations << " " << recipe.keyIterations << " "
                                            << recipe.certIterations;
    }
    ExpectNothingTouched();
}

TEST_F(ImportBadInputTest, FilesWithinTheBudgetImport)
{
    const struct {
        const char* what;
        Pkcs12Recipe recipe;
    } cases[] = {
        {"one iteration each", {}},
        {"600,000 each, as careful tools make them",
         {.macIterations = 600'000, .keyIterations = 600'000, .certIterations = 600'000}},
    };
    for (const auto& c : cases) {
        MemoryCertificateStoreBackend fresh;
        ScopedCertificateStoreBackend useFresh(fresh);
        Store("FINE", "1", BuildPkcs12(c.recipe));
        EXPECT_EQ(Import("1", "FINE"), 0) << c.what;
        EXPECT_EQ(fresh.Contents(u"MY"), std::vector<Bytes>{Fixtures().selfSignedDer}) << c.what;
        EXPECT_EQ(fresh.KeyCount(), 1u) << c.what;
    }
}

// The OpenSSL defaults, the SHA-1/3DES form and an RC2-encrypted legacy file are all counted
// without a false alarm; the legacy one needs the legacy provider to be looked into.
TEST_F(ImportBadInputTest, FilesOfCommonToolsAreWithinTheBudget)
{
    for (const Bytes* p12 : {&Fixtures().chainModern, &Fixtures().chain3des, &Fixtures().chainLegacy}) {
        Store("TOOL", "1", *p12);
        EXPECT_NE(Import("1", "TOOL"), 5001);
    }
}

TEST_F(ImportBadInputTest, AFileWithNothingInItOrOnlyAKeyAddsNothing)
{
    const struct {
        const char* what;
        Bytes p12;
        size_t keys;
    } cases[] = {
        {"nothing", BuildPkcs12({.certificate = false, .key = false}), 0},
        {"only a key", BuildPkcs12({.certificate = false}), 1},
        {"only a key, by openssl", Fixtures().keyOnly, 1},
    };
    for (const auto& c : cases) {
        MemoryCertificateStoreBackend fresh;
        ScopedCertificateStoreBackend useFresh(fresh);
        Store("EMPTY", "1", c.p12);
        EXPECT_EQ(Import("1", "EMPTY"), 0) << c.what;
        EXPECT_EQ(fresh.Calls(), kImportAndOpenAll) << c.what;
        EXPECT_EQ(fresh.KeyCount(), c.keys) << c.what;
    }
}

TEST_F(ImportBadInputTest, AStoredValueOf50MegabytesIsReadAndRefused)
{
    Bytes huge(50u << 20, 0x5A);
    Store("HUGE", "1", huge);
    // A real file with 50 MB behind it: the decoder takes the file and leaves the rest.
    Bytes padded = Fixtures().chainModern;
    padded.resize(padded.size() + (50u << 20), 0);
    Store("PADDED", "1", padded);
    EXPECT_EQ(Import("1", "HUGE"), 5001);
    ExpectNothingTouched();
    EXPECT_EQ(Import("1", "PADDED"), 0);
    EXPECT_EQ(stores.Contents(u"MY"), std::vector<Bytes>{Fixtures().eeDer});
}

TEST_F(ImportBadInputTest, ACommonNameOrOrgIdOfOneMegabyteIsNamedLikeAnyOther)
{
    const std::string longName(1u << 20, 'N');
    const std::string longId(1u << 20, '7');
    Store(longName, "1", Fixtures().chainModern);
    EXPECT_EQ(Import(longId, longName), 5001);
    EXPECT_EQ(Import(longId, "ABC"), 5001);
    ExpectNothingTouched();
    EXPECT_EQ(Import("1", longName), 0);
    EXPECT_EQ(stores.Contents(u"MY"), std::vector<Bytes>{Fixtures().eeDer});
}

}  // namespace
