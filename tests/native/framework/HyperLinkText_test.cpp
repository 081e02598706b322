#include <gtest/gtest.h>

#include <string>

#include "framework/HyperLinkText.h"

TEST(HyperLinkText, SplitLabelFindsTheTaggedLinkInEitherCase) {
    struct Case {
        const wchar_t* label;
        const wchar_t* before;
        const wchar_t* link;
        const wchar_t* after;
    };
    const Case cases[] = {
        {L"<a>VTL Site</a>", L"", L"VTL Site", L""},
        {L"See <A>the site</A> now", L"See ", L"the site", L" now"},
        {L"x<a>mixed</A>y", L"x", L"mixed", L"y"},
        {L"<a></a>", L"", L"", L""},
        {L"a < b <a>link</a> c </a> d", L"a < b ", L"link", L" c </a> d"},
        {L"<b>bold</b> <a>link<a>in</a>", L"<b>bold</b> ", L"link<a>in", L""},
        // No closing tag: the text before still shows, no link text.
        {L"See <a>the site", L"See ", L"", L""},
        // No opening tag: nothing at all.
        {L"See the site</a> now", L"", L"", L""},
        {L"plain text", L"", L"", L""},
        {L"", L"", L"", L""},
        // Cut tags at the very end.
        {L"end <a", L"", L"", L""},
        {L"<a>end </", L"", L"", L""},
    };
    for (const Case& c : cases) {
        const LinkLabelParts parts = HyperLinkText::SplitLabel(c.label);
        EXPECT_EQ(std::wstring(parts.Before), c.before) << c.label;
        EXPECT_EQ(std::wstring(parts.Link), c.link) << c.label;
        EXPECT_EQ(std::wstring(parts.After), c.after) << c.label;
    }
}

TEST(HyperLinkText, ParseColorTripletReadsThreeNumbersKeepingTheirLow8Bits) {
    constexpr std::uint32_t kFail = 0xFFFFFFFFu;
    struct Case {
        const wchar_t* text;
        std::uint32_t colour;  // 0x00BBGGRR, or kFail
    };
    const Case cases[] = {
        {L"0,0,128", 0x800000u},
        {L"255,128,1", 0x0180FFu},
        {L" 12, 34,\t56", 0x38220Cu},
        {L"256,0,0", 0x000000u},
        {L"257,514,-2", 0xFE0201u},
        {L"0,0,-1", 0xFF0000u},
        {L"x,y,z", 0x000000u},
        {L"10a,20b,30c", 0x1E140Au},
        {L"4294967296,0,0", 0x0000FFu},
        {L"0,0,1,2", 0x010000u},
        {L"0,0", kFail},
        {L"0,0,", kFail},
        {L"128", kFail},
        {L"", kFail},
        {L"-1,0,0", kFail},
        {L"0, -1,0", kFail},
        {L"-2,0,0", 0x0000FEu},
    };
    for (const Case& c : cases) {
        const std::optional<std::uint32_t> colour = HyperLinkText::ParseColorTriplet(c.text);
        if (c.colour == kFail) {
            EXPECT_FALSE(colour.has_value()) << c.text;
        } else {
            ASSERT_TRUE(colour.has_value()) << c.text;
            EXPECT_EQ(*colour, c.colour) << c.text;
        }
    }
}
