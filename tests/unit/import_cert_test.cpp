// ImportCert over a real Wine-format store, with the certificate stores in memory: which
// codes come back, and what was asked of the stores in which order.

#include <gtest/gtest.h>

#include "platform/certstore/memory_cert_store.h"
#include "store/cert_store_access.h"
#include "store/store_layout.h"
#include "tests/support/pkcs12_fixtures.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

using platform::certstore::MemoryCertificateStoreBackend;
using platform::certstore::ScopedCertificateStoreBackend;
using test_support::Bytes;
using test_support::Fixtures;
using test_support::kPkcs12Password;
using test_support::ScopedEnv;
using test_support::StoreWriter;
using test_support::TempDir;

namespace {

using Calls = std::vector<std::string>;

const Calls kOpenAll = {"open MY", "open CA", "open ROOT"};

Calls Concat(std::initializer_list<Calls> parts)
{
    Calls all;
    for (const Calls& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class ImportCertTest : public ::testing::Test {
protected:
    TempDir prefix;
    ScopedEnv winePrefix{"WINEPREFIX", prefix.Path()};
    StoreWriter store;
    MemoryCertificateStoreBackend stores;
    ScopedCertificateStoreBackend useMemoryStores{stores};

    ResultCode Import(const std::string& orgID, const std::string& cn, const std::string& password)
    {
        store.WriteFile(prefix / "user.reg");
        return CCertStoreAccess().ImportCert(orgID, cn, password);
    }

    void ExpectChainPlaced()
    {
        EXPECT_EQ(stores.Contents(u"MY"), std::vector<Bytes>{Fixtures().eeDer});
        EXPECT_EQ(stores.Contents(u"CA"), std::vector<Bytes>{Fixtures().intermediateDer});
        EXPECT_EQ(stores.Contents(u"ROOT"), std::vector<Bytes>{Fixtures().rootDer});
    }

    void ExpectNothingTouched()
    {
        EXPECT_EQ(stores.Calls(), Calls{});
        EXPECT_EQ(stores.KeyCount(), 0u);
    }
};

TEST_F(ImportCertTest, PlacesEachCertificateOfTheChainInTheStoreOfItsRole)
{
    const struct {
        const char* what;
        const Bytes& p12;
        std::string password;
    } cases[] = {
        {"OpenSSL 3 defaults", Fixtures().chainModern, kPkcs12Password},
        {"PBE-SHA1-3DES", Fixtures().chain3des, kPkcs12Password},
        {"non-ASCII password", Fixtures().chainUnicode, test_support::kPkcs12UnicodePassword},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryCertificateStoreBackend fresh;
        ScopedCertificateStoreBackend useFresh(fresh);
        store.AddCertificate("ABC", "12345678", c.p12);
        EXPECT_EQ(Import("12345678", "ABC", c.password), 0);
        EXPECT_EQ(fresh.Calls(), Concat({{"import 0x5001"}, kOpenAll, {"add MY", "add CA", "add ROOT"}}));
        EXPECT_EQ(fresh.Contents(u"MY"), std::vector<Bytes>{Fixtures().eeDer});
        EXPECT_EQ(fresh.Contents(u"CA"), std::vector<Bytes>{Fixtures().intermediateDer});
        EXPECT_EQ(fresh.Contents(u"ROOT"), std::vector<Bytes>{Fixtures().rootDer});
        EXPECT_EQ(fresh.KeyCount(), 1u);
    }
}

TEST_F(ImportCertTest, EarlyExtensionAndPlainSelfSignedCertificates)
{
    store.AddCertificate("Early", "1", Fixtures().early);
    store.AddCertificate("Self", "2", Fixtures().selfSigned);
    EXPECT_EQ(Import("1", "Early", kPkcs12Password), 0);
    EXPECT_EQ(Import("2", "Self", kPkcs12Password), 0);
    EXPECT_EQ(stores.Contents(u"MY"), (std::vector<Bytes>{Fixtures().earlyEeDer, Fixtures().selfSignedDer}));
    EXPECT_EQ(stores.Contents(u"ROOT"), std::vector<Bytes>{Fixtures().earlyRootDer});
    EXPECT_EQ(stores.Contents(u"CA"), std::vector<Bytes>{});
}

TEST_F(ImportCertTest, WrongPasswordOrNoMacTouchesNoStore)
{
    store.AddCertificate("ABC", "12345678", Fixtures().chainModern);
    store.AddCertificate("NOMAC", "12345678", Fixtures().chainNoMac);
    EXPECT_EQ(Import("12345678", "ABC", "Secret"), 5208);
    EXPECT_EQ(Import("12345678", "ABC", ""), 5208);
    EXPECT_EQ(Import("12345678", "ABC", std::string("secret\0", 7)), 5208);
    EXPECT_EQ(Import("12345678", "NOMAC", kPkcs12Password), 5208);
    ExpectNothingTouched();
}

TEST_F(ImportCertTest, AFlagSetThatIsRefusedIsRetriedWithout0x4000)
{
    store.AddCertificate("ABC", "12345678", Fixtures().chainModern);
    stores.RefuseFlags(0x5001);
    EXPECT_EQ(Import("12345678", "ABC", kPkcs12Password), 0);
    EXPECT_EQ(stores.Calls(), Concat({{"import 0x5001 refused", "import 0x1001"}, kOpenAll,
                                      {"add MY", "add CA", "add ROOT"}}));
    ExpectChainPlaced();
}

// After both refusals the personal store is tried: when even that does not open, the store is
// at fault (read-only, locked, damaged), not the password that the MAC has accepted.
TEST_F(ImportCertTest, BothFlagSetsRefusedIs5208Or5201WhenTheStoreDoesNotOpen)
{
    store.AddCertificate("ABC", "12345678", Fixtures().chainModern);
    stores.RefuseFlags(0x5001);
    stores.RefuseFlags(0x1001);
    EXPECT_EQ(Import("12345678", "ABC", kPkcs12Password), 5208);
    EXPECT_EQ(stores.Calls(), (Calls{"import 0x5001 refused", "import 0x1001 refused", "open MY"}));
    EXPECT_EQ(stores.Contents(u"MY"), std::vector<Bytes>{});

    MemoryCertificateStoreBackend unavailable;
    ScopedCertificateStoreBackend useUnavailable(unavailable);
    unavailable.RefuseFlags(0x5001);
    unavailable.RefuseFlags(0x1001);
    unavailable.FailToOpen(u"MY");
    EXPECT_EQ(Import("12345678", "ABC", kPkcs12Password), 5201);
    EXPECT_EQ(unavailable.Calls(), (Calls{"import 0x5001 refused", "import 0x1001 refused", "open MY failed"}));
}

TEST_F(ImportCertTest, AStoreThatDoesNotOpenIs5201AndTheStoresAfterItAreNotTried)
{
    const struct {
        const char16_t* failing;
        Calls opens;
    } cases[] = {
        {u"MY", {"open MY failed"}},
        {u"CA", {"open MY", "open CA failed"}},
        {u"ROOT", {"open MY", "open CA", "open ROOT failed"}},
    };
    store.AddCertificate("ABC", "12345678", Fixtures().chainModern);
    for (const auto& c : cases) {
        MemoryCertificateStoreBackend fresh;
        ScopedCertificateStoreBackend useFresh(fresh);
        fresh.FailToOpen(c.failing);
        EXPECT_EQ(Import("12345678", "ABC", kPkcs12Password), 5201);
        EXPECT_EQ(fresh.Calls(), Concat({{"import 0x5001"}, c.opens}));
        EXPECT_EQ(fresh.KeyCount(), 1u);  // the key set keeps what the PFX import placed there
    }
}

TEST_F(ImportCertTest, ARefusedAddChangesNeitherTheLoopNorTheResult)
{
    store.AddCertificate("ABC", "12345678", Fixtures().chainModern);
    stores.RefuseAddsTo(u"MY");
    EXPECT_EQ(Import("12345678", "ABC", kPkcs12Password), 0);
    EXPECT_EQ(stores.Calls(), Concat({{"import 0x5001"}, kOpenAll, {"add MY refused", "add CA", "add ROOT"}}));
    EXPECT_EQ(stores.Contents(u"MY"), std::vector<Bytes>{});
    EXPECT_EQ(stores.Contents(u"ROOT"), std::vector<Bytes>{Fixtures().rootDer});
}

TEST_F(ImportCertTest, AFileWithoutCertificatesOpensTheStoresAndAddsNothing)
{
    store.AddCertificate("KEY", "1", Fixtures().keyOnly);
    EXPECT_EQ(Import("1", "KEY", kPkcs12Password), 0);
    EXPECT_EQ(stores.Calls(), Concat({{"import 0x5001"}, kOpenAll}));
}

TEST_F(ImportCertTest, ImportingTwiceKeepsOneCopy)
{
    store.AddCertificate("ABC", "12345678", Fixtures().chainModern);
    EXPECT_EQ(Import("12345678", "ABC", kPkcs12Password), 0);
    EXPECT_EQ(Import("12345678", "ABC", kPkcs12Password), 0);
    ExpectChainPlaced();
}

TEST_F(ImportCertTest, AValueThatCannotBeFoundOrDecodedIs5001)
{
    const std::string name = test_support::CertificateValueName("ABC", "12345678");
    store.AddCertificate("ABC", "12345678", Fixtures().chainModern);
    store.AddCertificate("EMPTY", "1", {});  // a record only
    store.Registry().SetBinary(kCertStoreRegPath, test_support::CertificateValueName("EMPTY", "1"), {});
    store.AddCertificate("TEXT", "1", test_support::ToBytes("not a PKCS#12 file"));
    // The right file under the right name, but encrypted with another name's windows.
    store.Registry().SetBinary(kCertStoreRegPath, test_support::CertificateValueName("OTHER", "1"),
                               test_support::EncryptBlob(name, kCertificateWindows.keyOffset,
                                                         kCertificateWindows.ivOffset, Fixtures().chainModern));
    const struct {
        const char* what;
        std::string orgID, cn;
    } cases[] = {
        {"names swapped", "ABC", "12345678"},
        {"cn in another case", "12345678", "abc"},
        {"orgID with a blank", "12345678 ", "ABC"},
        {"no such certificate", "1", "NONE"},
        {"empty value", "1", "EMPTY"},
        {"not PKCS#12", "1", "TEXT"},
        {"encrypted for another name", "1", "OTHER"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Import(c.orgID, c.cn, kPkcs12Password), 5001) << c.what;
    ExpectNothingTouched();
}

TEST_F(ImportCertTest, AMissingStoreIs5001)
{
    store.Registry().SetString("Software\\Wine", "Version", "win7");
    EXPECT_EQ(Import("12345678", "ABC", kPkcs12Password), 5001);
    ExpectNothingTouched();
}

}  // namespace
