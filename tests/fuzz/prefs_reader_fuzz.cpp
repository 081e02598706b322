// Arbitrary bytes as a local preferences file: the reader must not fault,
// must read what the plain reference reader reads, and whatever set it
// reads must survive a save and a load unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "prefs/Latin1CodePage.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsReader.h"
#include "prefs/PrefsWriter.h"

#include "tests/common/PreferencePairs.h"
#include "tests/common/ReferencePrefsReader.h"

namespace {

bool SameSet(const PreferenceSet& a, const PreferenceSet& b) {
    if (a.Count() != b.Count())
        return false;
    for (int i = 0; i < a.Count(); ++i) {
        if (a.KeyAt(i) != b.KeyAt(i) || a.ValueAt(i) != b.ValueAt(i))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Latin1CodePage codePage;
    const PrefsReader reader(codePage);
    const PrefsWriter writer(codePage);

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PreferenceSet first;
    reader.Overlay(bytes, first);
    if (PairsOf(first) != ReferencePrefsReader::Read(bytes, Pairs()))
        std::abort();
    const std::string written = writer.Write(first);

    PreferenceSet second;
    reader.Overlay(written, second);
    if (!SameSet(first, second) || writer.Write(second) != written)
        std::abort();
    return 0;
}
