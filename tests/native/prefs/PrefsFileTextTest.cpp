#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "prefs/DefaultPreferences.h"
#include "prefs/Latin1CodePage.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsReader.h"
#include "prefs/PrefsWriter.h"

#include "tests/common/PreferencePairs.h"

namespace {

const Latin1CodePage kLatin1;

Pairs Read(std::string_view bytes, PreferenceSet set = PreferenceSet()) {
    PrefsReader(kLatin1).Overlay(bytes, set);
    return PairsOf(set);
}

std::string Write(const PreferenceSet& set) {
    return PrefsWriter(kLatin1).Write(set);
}

PreferenceSet Defaults() {
    PreferenceSet set;
    AddDefaultPreferences(set);
    return set;
}

bool IsPlainAscii(const std::string& bytes) {
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b > 0x7E || (b < 0x20 && b != '\r' && b != '\n'))
            return false;
    }
    return true;
}

}  // namespace

TEST(PrefsWriter, WritesTheTwoPairExampleByteForByte) {
    const std::string bytes = Write(SetOf({{L"viewertype", L"builtin"}, {L"openingmode", L"tab"}}));
    EXPECT_EQ(bytes,
              "vtl_prefs = {\r\n"
              "  viewertype: \"builtin\",\r\n"
              "  openingmode: \"tab\"};\r\n");
    EXPECT_EQ(bytes.size(), 65u);
    EXPECT_EQ(Write(PreferenceSet()), "vtl_prefs = {\r\n};\r\n");
}

TEST(PrefsWriter, WritesEveryValueAsAnAsciiStringLiteral) {
    const std::wstring value = std::wstring(L"a\"b\\c\td") + L'\0' + L"\x7F\xE9\x416\xD83D\xDE00~ ";
    const std::string bytes = Write(SetOf({{L"k1", value}, {L"k2", L"\\"}, {L"k3", L"\""}}));
    EXPECT_EQ(bytes,
              "vtl_prefs = {\r\n"
              "  k1: \"a\\\"b\\\\c\\u0009d\\u0000\\u007F\\u00E9\\u0416\\uD83D\\uDE00~ \",\r\n"
              "  k2: \"\\\\\",\r\n"
              "  k3: \"\\\"\"};\r\n");
    EXPECT_TRUE(IsPlainAscii(bytes));
}

TEST(PrefsFileText, ValuesOfEveryKindComeBackExactlyInTheSameOrder) {
    const Pairs pairs = {
        {L"quotes", L"say \"hi\" and 'bye'"},
        {L"endsinbackslash", L"C:\\dir\\"},
        {L"backslashes", L"\\\\server\\share \\u0041 \\n"},
        {L"control", std::wstring(L"line1\r\nline2\ttab") + L'\0' + L"\x1A\x1B"},
        {L"latin1", L"caf\xE9 \xFF\xA0\x80"},
        {L"nonlatin", L"\x416\x443\x43A \x4E2D\x6587 \x20AC"},
        {L"surrogates", L"\xD83D\xDE00 lone \xD800 and \xDC00"},
        {L"delimiters", L"a, b: {c} ; = '"},
        {L"empty", L""},
        {L"h_name0", L"Accept"},
        {L"h_val0", L"text/turtle"},
    };
    PreferenceSet set = Defaults();
    for (const auto& p : pairs) {
        if (!set.SetAt(p.first, p.second))
            set.Add(p.first, p.second);
    }
    const std::string bytes = Write(set);
    EXPECT_TRUE(IsPlainAscii(bytes));
    EXPECT_EQ(Read(bytes), PairsOf(set));
    // Loading over the defaults, as the sheet does, gives the same order.
    EXPECT_EQ(Read(bytes, Defaults()), PairsOf(set));
}

TEST(PrefsFileText, KeysAreWrittenAsTheyStandAndReadBackTheSame) {
    // A key that an older or hand-made file gave with quotes or a Latin-1
    // letter survives the next save.
    const Pairs pairs = {{L"\"quoted\"", L"1"}, {L"cl\xE9", L"2"}, {L"'a b:c'", L"3"}};
    const std::string bytes = Write(SetOf(pairs));
    EXPECT_EQ(bytes,
              "vtl_prefs = {\r\n  \"quoted\": \"1\",\r\n  cl\xE9: \"2\",\r\n  'a b:c': \"3\"};\r\n");
    EXPECT_EQ(Read(bytes), pairs);
}

TEST(PrefsFileText, FilesOfAnySizeAreReadWhole) {
    PreferenceSet set = Defaults();
    for (int n = 0; n < 400; ++n) {
        set.Add(L"h_name" + std::to_wstring(n), L"X-Header-" + std::to_wstring(n));
        set.Add(L"h_val" + std::to_wstring(n), std::wstring(40, L'v') + std::to_wstring(n));
    }
    set.SetAt(L"viewerendpoint", L"http://example.org/" + std::wstring(20000, L'p'));
    const std::string bytes = Write(set);
    ASSERT_GT(bytes.size(), 3u * 8192u);
    EXPECT_EQ(Read(bytes), PairsOf(set));
}

TEST(PrefsReader, OverlayMovesFileKeysToTheEndInOrderOfLastOccurrence) {
    Pairs expected = PairsOf(Defaults());
    const Pairs onlyMode = Read("vtl_prefs = {\n  openingmode: \"tab\"};\n", Defaults());
    expected.erase(expected.begin() + 3);
    expected.emplace_back(L"openingmode", L"tab");
    EXPECT_EQ(onlyMode, expected);
    EXPECT_EQ(onlyMode[13], (std::pair<std::wstring, std::wstring>{L"openingmode", L"tab"}));

    const Pairs twice = Read("{ viewertype: \"marbles\", newkey: \"n\", proxyport: \"8080\", "
                             "viewertype: \"disco\", later: \"l\" }",
                             Defaults());
    ASSERT_EQ(twice.size(), 16u);
    EXPECT_EQ(twice[0].first, L"viewerendpoint");
    EXPECT_EQ(Pairs(twice.end() - 4, twice.end()),
              (Pairs{{L"newkey", L"n"}, {L"proxyport", L"8080"}, {L"viewertype", L"disco"}, {L"later", L"l"}}));
}

TEST(PrefsReader, UnknownKeysStayAndAreWrittenByTheNextSave) {
    PreferenceSet set = Defaults();
    PrefsReader(kLatin1).Overlay("{ futurekey: \"kept\" }", set);
    ASSERT_EQ(set.FindKey(L"futurekey"), 14);
    EXPECT_NE(Write(set).find("  futurekey: \"kept\"};\r\n"), std::string::npos);
}

TEST(PrefsReader, ValueTokensLoseTheirFirstAndLastByteWhateverTheyAre) {
    EXPECT_EQ(Read("{ aa: \"\", bb: x, cc: abc, dd: 'sq', ee: \"a,b:{c}\" }"),
              (Pairs{{L"aa", L""}, {L"bb", L""}, {L"cc", L"b"}, {L"dd", L"sq"}, {L"ee", L"a,b:{c}"}}));
    // Only the bytes between the outer two go through escape decoding.
    EXPECT_EQ(Read("{ aa: x\"q\"y }"), (Pairs{{L"aa", L"\"q\""}}));
}

TEST(PrefsReader, KeysAreTakenWholeAndOnlyFromTwoBytesOn) {
    PreferenceSet set = Defaults();
    PrefsReader(kLatin1).Overlay("{ \"viewertype\": \"disco\" }", set);
    EXPECT_EQ(set.ValueAt(set.FindKey(L"viewertype")), L"builtin");
    EXPECT_EQ(set.ValueAt(set.FindKey(L"\"viewertype\"")), L"disco");

    // A one-byte key is skipped; its ":" is skipped; its value is then taken
    // as a key, which the "," after it drops.
    EXPECT_EQ(Read("{ a: \"v1\", bb: \"v2\" }"), (Pairs{{L"bb", L"v2"}}));
    // Whatever follows a key other than ":" is consumed with it, even "}".
    EXPECT_EQ(Read("{ aa } bb: \"1\" }"), (Pairs{{L"bb", L"1"}}));
    EXPECT_EQ(Read("{ aa bb: \"1\" cc: \"2\" }"), Pairs{});
    EXPECT_EQ(Read("{ aa bb: \"1\", cc: \"2\" }"), (Pairs{{L"cc", L"2"}}));
}

TEST(PrefsReader, OnlyPairsInsideBracesCountAndEveryBlockIsRead) {
    EXPECT_EQ(Read("xx: \"1\" { aa: \"2\" } yy: \"3\" {\n bb: \"4\"}\nzz: \"5\"\n"),
              (Pairs{{L"aa", L"2"}, {L"bb", L"4"}}));
}

TEST(PrefsReader, TheEndOfTheTextCutsThePairItFallsIn) {
    // The last value has no delimiter after it: the key gets the empty value.
    EXPECT_EQ(Read("{ aa: \"1\", bb: \"2\""), (Pairs{{L"aa", L"1"}, {L"bb", L""}}));
    EXPECT_EQ(Read("{ aa: \"1\", bb:"), (Pairs{{L"aa", L"1"}, {L"bb", L""}}));
    // A key with nothing after it is dropped.
    EXPECT_EQ(Read("{ aa: \"1\", bb "), (Pairs{{L"aa", L"1"}}));
    EXPECT_EQ(Read("{ aa: \"1\", bb"), (Pairs{{L"aa", L"1"}}));
    EXPECT_EQ(Read(""), Pairs{});
}

TEST(PrefsReader, ReadsLikeATextModeReadOfTheFile) {
    // CR LF reads as LF (inside a value too); a lone CR stays.
    EXPECT_EQ(Read("{\r\n aa: \"x\r\ny\rz\"\r\n}\r\n"), (Pairs{{L"aa", L"x\ny\rz"}}));
    // A byte 0x1A or a NUL ends the text.
    EXPECT_EQ(Read(std::string("{ aa: \"1\", bb: \"2\" }\x1A{ cc: \"3\" }")), (Pairs{{L"aa", L"1"}, {L"bb", L"2"}}));
    const char withNul[] = "{ aa: \"1\", b\0b: \"2\" }";
    EXPECT_EQ(Read(std::string(withNul, sizeof withNul - 1)), (Pairs{{L"aa", L"1"}}));
}

TEST(PrefsReader, DecodesTheEscapesItWritesAndKeepsEveryOtherBackslash) {
    EXPECT_EQ(Read("{ aa: \"\\\\ \\\" \\' \\u00e9\\u00C9 \\uD83D\\uDE00\" }"),
              (Pairs{{L"aa", L"\\ \" ' \xE9\xC9 \xD83D\xDE00"}}));
    EXPECT_EQ(Read("{ aa: \"\\n \\t \\x41 \\u12 \\u12G4 \\q\\\\\" }"),
              (Pairs{{L"aa", L"\\n \\t \\x41 \\u12 \\u12G4 \\q\\"}}));
    EXPECT_EQ(Read("{ aa: 'ab\\u004' }"), (Pairs{{L"aa", L"ab\\u004"}}));
}

TEST(PrefsReader, OlderFilesWithRawLatin1AndPlainBackslashesReadAsBefore) {
    const std::string older =
        "vtl_prefs = {\r\n"
        "  viewertype: \"custom\",\r\n"
        "  viewerendpoint: \"file:///C:\\Documents\\caf\xE9\\vue.html?x=\xBD\",\r\n"
        "  h_name0: \"X-Na\xEFve\"};\r\n";
    EXPECT_EQ(Read(older),
              (Pairs{{L"viewertype", L"custom"},
                     {L"viewerendpoint", L"file:///C:\\Documents\\caf\xE9\\vue.html?x=\xBD"},
                     {L"h_name0", L"X-Na\xEFve"}}));
}
