// Wine saves user.reg by renaming a new file over it, at any moment. A query must see one whole
// version: all of the old records or all of the new, never a mix and never a torn file.

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include <gtest/gtest.h>

#include "store/cert_store_access.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

namespace {

void WriteVersion(const std::string& path, const std::string& tag)
{
    test_support::StoreWriter store;
    for (int i = 0; i < 200; ++i)
        store.AddCertificate(tag + std::to_string(i), std::to_string(i), {});
    store.WriteFile(path);
}

TEST(QueryFileReplaced, EveryQuerySeesOneWholeVersion)
{
    test_support::TempDir prefix;
    test_support::ScopedEnv winePrefix("WINEPREFIX", prefix.Path());
    const std::string live = prefix / "user.reg";

    std::vector<CertListEntry> expected[2];
    for (int v = 0; v < 2; ++v) {
        WriteVersion(prefix / ("v" + std::to_string(v)), v == 0 ? "old" : "new");
        ASSERT_EQ(link((prefix / ("v" + std::to_string(v))).c_str(), live.c_str()), 0);
        expected[v] = CCertStoreAccess().QueryCertList("");  // the version alone, in its order
        ASSERT_EQ(expected[v].size(), 200u);
        unlink(live.c_str());
    }

    std::atomic<bool> stop = false;
    std::atomic<int> saves = 0;
    std::thread saver([&] {
        for (int n = 0; !stop; ++n) {
            std::string temporary = prefix / "user.reg.tmp";
            link((prefix / ("v" + std::to_string(n % 2))).c_str(), temporary.c_str());
            std::rename(temporary.c_str(), live.c_str());
            saves++;
        }
    });
    while (saves == 0)
        std::this_thread::yield();
    int seen[2] = {0, 0};
    for (int i = 0; i < 300; ++i) {
        std::vector<CertListEntry> lines = CCertStoreAccess().QueryCertList("");
        if (lines == expected[0])
            seen[0]++;
        else if (lines == expected[1])
            seen[1]++;
        else
            ADD_FAILURE() << "a query saw a mix of versions (" << lines.size() << " lines)";
    }
    stop = true;
    saver.join();
    EXPECT_EQ(seen[0] + seen[1], 300);
}

}  // namespace
