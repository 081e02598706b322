#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "prefs/DefaultPreferences.h"
#include "prefs/Latin1CodePage.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsReader.h"

#include "tests/common/PreferencePairs.h"
#include "tests/common/ReferencePrefsReader.h"

namespace {

// The sets a file is read over: none, the defaults, and one that holds a
// key twice (which the sheet never builds, but the set allows).
std::vector<Pairs> StartingSets() {
    PreferenceSet defaults;
    AddDefaultPreferences(defaults);
    return {Pairs{}, PairsOf(defaults), Pairs{{L"kk", L"a"}, {L"viewertype", L"b"}, {L"kk", L"c"}}};
}

// The reader and the reference agree on the file and on every cut of it
// that `cuts` picks, over each starting set.
template <class Cuts>
void ExpectSameAsReference(const std::string& file, Cuts cuts, const std::string& what) {
    const Latin1CodePage latin1;
    for (const Pairs& start : StartingSets()) {
        for (size_t end : cuts(file.size())) {
            const std::string bytes = file.substr(0, end);
            PreferenceSet set;
            for (const auto& pair : start)
                set.Add(pair.first, pair.second);
            PrefsReader(latin1).Overlay(bytes, set);
            ASSERT_EQ(PairsOf(set), ReferencePrefsReader::Read(bytes, start))
                << what << ", cut at " << end << " of " << file.size() << ", over " << start.size() << " pairs";
        }
    }
}

std::vector<size_t> EveryCut(size_t size) {
    std::vector<size_t> ends;
    for (size_t end = 0; end <= size; ++end)
        ends.push_back(end);
    return ends;
}

// Files made of the pieces that trip readers up, shuffled: repeated keys,
// escapes good and bad, CR LF and lone CR inside quotes, unquoted and
// single-quoted values, one-byte keys, text outside the braces, high
// bytes, and now and then a NUL or a 0x1A that ends the text.
std::string GeneratedFile(std::mt19937& random) {
    static const char* const keys[] = {"viewertype", "h_name0", "h_val0", "kk", "a", "\"viewertype\"",
                                       "k\xE9", "'q:k'", "openingmode", "x{y"};
    using namespace std::string_literals;
    static const char* const values[] = {
        "\"plain\"", "\"\"", "\"x\"", "abc", "'single'", "\"a\\\\b\"", "\"q\\\"uote\"", "\"\\u00e9\\u00C9\"",
        "\"\\uD83D\\uDE00\"", "\"\\u12G4 \\u12\"", "\"\\q\\n\\x41\"", "\"ends\\\\\"", "\"cr\r\nlf\"",
        "\"lone\rcr\"", "\"a,b:{c}\"", "\"caf\xE9\"", "x\"q\"y", ":", ",", "\"un", "'it''s'"};
    // Where a text-mode read ends the text: anywhere, inside quotes, right
    // after a backslash there.
    static const std::string ends[] = {"\0"s, "\x1A", "\"nul\0in\""s, "\"eof\x1Ain\"", "\"esc\\\0\""s,
                                       "\"esc\\\x1A\""};
    static const char* const between[] = {",\r\n  ", ", ", ",", "\n", " ", "\r\n", "} {", "} junk: \"1\" {",
                                          ""};
    std::string file = random() % 4 ? "vtl_prefs = {\r\n  " : "{";
    const size_t pairs = random() % 40;
    for (size_t i = 0; i < pairs; ++i) {
        file += keys[random() % std::size(keys)];
        file += random() % 8 ? ": " : " ";
        file += values[random() % std::size(values)];
        file += between[random() % std::size(between)];
        if (random() % 100 == 0)
            file += ends[random() % std::size(ends)];
    }
    if (random() % 3)
        file += "};\r\n";
    return file;
}

}  // namespace

TEST(PrefsReaderAgainstReference, TheFuzzersSeedFilesAndEveryCutOfThem) {
    size_t seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VTL_FUZZ_SEEDS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(file.empty()) << entry.path();
        ExpectSameAsReference(file, EveryCut, entry.path().filename().string());
        ++seeds;
    }
    EXPECT_GE(seeds, 4u);
}

TEST(PrefsReaderAgainstReference, GeneratedFilesWithEscapesRepeatsAndCutEnds) {
    std::mt19937 random(20261209);
    for (int n = 0; n < 400; ++n) {
        const std::string file = GeneratedFile(random);
        // The whole file and a few cuts, anywhere, inside pairs included.
        std::vector<size_t> ends = {file.size()};
        for (int cut = 0; cut < 6 && !file.empty(); ++cut)
            ends.push_back(random() % file.size());
        ExpectSameAsReference(file, [&ends](size_t) { return ends; }, "file " + std::to_string(n));
    }
}
