// Every form that a password takes on its way through an import (the caller's narrow text,
// the UTF-16 text for the certificate store, the big-endian form PKCS#12 derives keys from) is
// handed to the wipe before its buffer is released, with the stores in memory and with a real
// NSS database.

#include <algorithm>
#include <optional>

#include <gtest/gtest.h>

#include "platform/certstore/memory_cert_store.h"
#include "platform/certstore/secret_text.h"
#include "platform/registry/registry_source.h"
#include "store/cert_store_access.h"
#include "store/store_layout.h"
#include "tests/support/pkcs12_builder.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

using platform::certstore::MemoryCertificateStoreBackend;
using platform::certstore::ScopedCertificateStoreBackend;
using platform::certstore::SecretText;
using platform::certstore::SetWipeObserver;

namespace {

const std::string kPassword = "Wipe-Me-7Q";

std::vector<std::string>& Wiped()
{
    static std::vector<std::string> wiped;
    return wiped;
}

void RecordWipe(const void* data, size_t n)
{
    Wiped().emplace_back(static_cast<const char*>(data), n);
}

bool AWipedBufferHeld(const std::string& bytes)
{
    return std::any_of(Wiped().begin(), Wiped().end(),
                       [&](const std::string& buffer) { return buffer.find(bytes) != std::string::npos; });
}

std::string Utf16Le(const std::string& ascii)
{
    std::string bytes;
    for (char c : ascii)
        bytes += std::string{c, '\0'};
    return bytes;
}

std::string BmpBigEndian(const std::string& ascii)
{
    std::string bytes;
    for (char c : ascii)
        bytes += std::string{'\0', c};
    return bytes + std::string(2, '\0');
}

class PasswordWipeTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        const std::string name = test_support::CertificateValueName("WIPE", "1");
        auto hive = std::make_shared<platform::registry::Hive>();
        hive->AddKey(kCertStoreRegPath)
            ->SetValue(name, platform::registry::kRegBinary,
                       test_support::EncryptBlob(name, kCertificateWindows.keyOffset, kCertificateWindows.ivOffset,
                                                 test_support::BuildPkcs12({.password = kPassword})));
        useHive.emplace(hive);
        if (GetParam())
            useMemory.emplace(memory);
        Wiped().clear();
        SetWipeObserver(RecordWipe);
    }
    void TearDown() override { SetWipeObserver(nullptr); }

    // The caller keeps the password as the CLI does, in a buffer of its own that it wipes.
    ResultCode ImportAndClear(const std::string& typed)
    {
        SecretText<char> password;
        password.Append(typed);
        const ResultCode code = CCertStoreAccess().ImportCert("1", "WIPE", password.str());
        password.Clear();
        return code;
    }

    test_support::TempDir home;
    test_support::ScopedEnv useHome{"HOME", home.Path()};
    std::optional<platform::registry::ScopedCurrentUserHive> useHive;
    MemoryCertificateStoreBackend memory;
    std::optional<ScopedCertificateStoreBackend> useMemory;
};

TEST_P(PasswordWipeTest, EveryFormOfThePasswordIsWipedAfterAnImport)
{
    ASSERT_EQ(ImportAndClear(kPassword), 0);
    EXPECT_TRUE(AWipedBufferHeld(kPassword)) << "the caller's narrow text";
    EXPECT_TRUE(AWipedBufferHeld(Utf16Le(kPassword))) << "the UTF-16 text";
    EXPECT_TRUE(AWipedBufferHeld(BmpBigEndian(kPassword))) << "the PKCS#12 form";
}

TEST_P(PasswordWipeTest, AWrongPasswordIsWipedToo)
{
    ASSERT_EQ(ImportAndClear("Wrong-Guess-3"), 5208);
    EXPECT_TRUE(AWipedBufferHeld("Wrong-Guess-3"));
}

INSTANTIATE_TEST_SUITE_P(Stores, PasswordWipeTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "InMemory" : "NssDatabase";
                         });

}  // namespace
