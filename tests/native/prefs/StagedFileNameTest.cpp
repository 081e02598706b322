#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "prefs/StagedFileName.h"

TEST(StagedFileName, NamesItMakesGiveTheirWriterAndNoOtherNameDoes) {
    EXPECT_EQ(StagedFileName::Make(L"C:\\x\\vtl_prefs.js", 1234, 4294967295ul, 7),
              L"C:\\x\\vtl_prefs.js.1234-4294967295-7.tmp");
    EXPECT_EQ(StagedFileName::WriterOf(L"vtl_prefs.js", L"vtl_prefs.js.1234-4294967295-7.tmp"), 1234ul);
    EXPECT_EQ(StagedFileName::WriterOf(L"vtl_prefs.js", L"vtl_prefs.js.0-0-0.tmp"), 0ul);

    for (const wchar_t* other : {
             L"vtl_prefs.js", L"vtl_prefs.js.tmp", L"vtl_prefs.js..tmp", L"vtl_prefs.js.1-2.tmp",
             L"vtl_prefs.js.1-2-3-4.tmp", L"vtl_prefs.js.1-2-.tmp", L"vtl_prefs.js.-1-2-3.tmp",
             L"vtl_prefs.js.1-2-3.tmp.bak", L"vtl_prefs.js.1-2-3.TMP", L"VTL_PREFS.JS.1-2-3.tmp",
             L"other.js.1-2-3.tmp", L"vtl_prefs.jsx.1-2-3.tmp", L"vtl_prefs.js.01-2-3.tmp",
             L"vtl_prefs.js.1-2-3x.tmp", L"vtl_prefs.js.1 -2-3.tmp", L"vtl_prefs.js.4294967296-2-3.tmp",
             L"vtl_prefs.js.1-99999999999999999999-3.tmp", L"vtl_prefs.js.\x0661-2-3.tmp"}) {
        EXPECT_EQ(StagedFileName::WriterOf(L"vtl_prefs.js", other), std::nullopt)
            << std::string(other, other + std::wcslen(other));
    }
}
