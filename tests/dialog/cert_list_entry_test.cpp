// Splitting a list line back into the common name and organisation identifier it was made of.

#include <gtest/gtest.h>

#include "app/cert_list_entry.h"

namespace {

struct SplitCase {
    const char* line;
    const char* cn;
    const char* orgID;
};

class SplitCertListEntryTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCertListEntryTest, GivesBackTheFields)
{
    CertListEntryFields fields = SplitCertListEntry(GetParam().line);
    EXPECT_EQ(fields.cn, GetParam().cn);
    EXPECT_EQ(fields.orgID, GetParam().orgID);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCertListEntryTest,
    ::testing::Values(SplitCase{"Alice, A1", "Alice", "A1"},
                      // A common name with blanks or commas comes back whole.
                      SplitCase{"Alice Chen, A1", "Alice Chen", "A1"},
                      SplitCase{"Chen, Alice, A1", "Chen, Alice", "A1"},
                      SplitCase{"Acme,Inc, 12345678", "Acme,Inc", "12345678"},
                      SplitCase{"王 小明, 12345678", "王 小明", "12345678"},
                      // Leading separators belong to the common name.
                      SplitCase{", Alice, A1", ", Alice", "A1"},
                      // An empty organisation identifier or common name.
                      SplitCase{"Alice, ", "Alice", ""},
                      SplitCase{", A1", "", "A1"},
                      // No ", ": all common name.
                      SplitCase{"Alice", "Alice", ""},
                      SplitCase{"Alice,A1", "Alice,A1", ""},
                      SplitCase{"", "", ""}));

}  // namespace
