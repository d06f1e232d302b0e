#pragma once
// Certificate stores in memory, for unit tests of the import logic: the PFX file is read
// with OpenSSL, and the backend can be told to refuse a flag set, fail to open a store or
// refuse adds. It records what was asked of it.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/certstore/cert_store.h"

namespace platform::certstore {

class MemoryCertificateStoreBackend : public CertificateStoreBackend {
public:
    void RefuseFlags(uint32_t flags) { refusedFlags_.insert(flags); }
    void FailToOpen(const std::u16string& storeName) { failingStores_.insert(storeName); }
    void RefuseAddsTo(const std::u16string& storeName) { refusingStores_.insert(storeName); }

    // Every call, in order: "import 0x5001", "import 0x5001 refused", "open MY", "open CA failed",
    // "add ROOT", "add MY refused".
    const std::vector<std::string>& Calls() const { return calls_; }
    // The certificates that a store holds, in the order they were added.
    std::vector<Bytes> Contents(const std::u16string& storeName) const;
    // Private keys placed in the key set by accepted imports.
    size_t KeyCount() const { return keyCount_; }

    std::unique_ptr<TemporaryCertificateStore> ImportPfx(std::span<const unsigned char> pfx,
                                                         const SecretText<char16_t>& password,
                                                         uint32_t flags) override;
    std::unique_ptr<SystemCertificateStore> OpenSystemStore(const std::u16string& name) override;

private:
    class Store;

    std::set<uint32_t> refusedFlags_;
    std::set<std::u16string> failingStores_;
    std::set<std::u16string> refusingStores_;
    std::map<std::u16string, std::vector<Bytes>> stores_;
    std::vector<std::string> calls_;
    size_t keyCount_ = 0;
};

}  // namespace platform::certstore
