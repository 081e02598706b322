#include <gtest/gtest.h>

#include <new>
#include <string>

#include "prefs/DefaultPreferences.h"
#include "prefs/Latin1CodePage.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsReader.h"

#include "tests/common/PreferencePairs.h"
#include "tests/native/support/AllocationLimit.h"

namespace {

const Latin1CodePage kLatin1;

PreferenceSet Defaults() {
    PreferenceSet set;
    AddDefaultPreferences(set);
    return set;
}

}  // namespace

// Memory running out at any allocation of a read, the set's own overlay
// included, is told to the caller and leaves the set as it was: a caller
// told "read" would later save the defaults over the user's file.
TEST(PrefsReaderOutOfMemory, IsReportedAtEveryAllocationAndLeavesTheSetAsItWas) {
    const std::string file = "vtl_prefs = {\r\n  viewertype: \"disco\",\r\n  h_name0: \"X-Test\",\r\n"
                             "  h_val0: \"caf\xE9\"};\r\n";
    PreferenceSet expected = Defaults();
    ASSERT_TRUE(PrefsReader(kLatin1).Overlay(file, expected));
    const Pairs defaults = PairsOf(Defaults());
    for (size_t allowed = 0;; ++allowed) {
        PreferenceSet set = Defaults();
        bool read = false;
        bool refused = false;
        {
            const AllocationLimit limit(allowed);
            try {
                read = PrefsReader(kLatin1).Overlay(file, set);
            } catch (const std::bad_alloc&) {
                read = false;
            }
            refused = limit.Refused();
        }
        if (!refused) {
            EXPECT_TRUE(read) << allowed << " allocations";
            EXPECT_EQ(PairsOf(set), PairsOf(expected));
            break;
        }
        EXPECT_FALSE(read) << "allocation " << allowed << " refused";
        EXPECT_EQ(PairsOf(set), defaults) << "allocation " << allowed << " refused";
    }
}
