#include <gtest/gtest.h>

#include <new>
#include <string>
#include <string_view>

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

namespace {

// Two units for each byte above ASCII: no Windows ANSI code page gives more
// units than bytes, but a code page may.
class WideningCodePage : public Latin1CodePage {
public:
    void AppendDecoded(std::string_view bytes, std::wstring& text) const override {
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            text.push_back(static_cast<wchar_t>(byte));
            if (byte >= 0x80)
                text.push_back(L'+');
        }
    }
};

}  // namespace

// The text of the pairs after one that grew must not be written past the
// room the reader made for them.
TEST(PrefsReaderWideningCodePage, DecodesThePairsAfterOneThatGrew) {
    const std::string grows(100, '\xE9');
    const std::string plain(1000, 'a');
    const std::string file = "{ k1: \"" + grows + "\", k2: \"" + plain + "\", k3: \"\xE9z\" }";
    std::wstring widened;
    for (size_t i = 0; i < grows.size(); ++i)
        widened += L"\xE9+";
    PreferenceSet set;
    ASSERT_TRUE(PrefsReader(WideningCodePage()).Overlay(file, set));
    const Pairs expected = {{L"k1", widened}, {L"k2", std::wstring(plain.begin(), plain.end())}, {L"k3", L"\xE9+z"}};
    EXPECT_EQ(PairsOf(set), expected);
}
