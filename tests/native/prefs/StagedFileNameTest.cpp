#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <string>
#include <tuple>

#include "prefs/StagedFileName.h"

namespace {
constexpr unsigned long long kMachine = 0x0123456789abcdefull;
}

TEST(StagedFileName, NamesItMakesGiveTheirWriterAndNoOtherNameDoes) {
    EXPECT_EQ(StagedFileName::Make(L"C:\\x\\vtl_prefs.js", kMachine, 1234, 4294967295ul, 7),
              L"C:\\x\\vtl_prefs.js.0123456789abcdef.1234-4294967295-7.tmp");
    // Without a machine, the form older versions wrote; both still read.
    EXPECT_EQ(StagedFileName::Make(L"C:\\x\\vtl_prefs.js", std::nullopt, 1234, 4294967295ul, 7),
              L"C:\\x\\vtl_prefs.js.1234-4294967295-7.tmp");
    for (const auto& [name, machine, process] :
         {std::tuple{L"vtl_prefs.js.0123456789abcdef.1234-4294967295-7.tmp", std::optional(kMachine), 1234ul},
          std::tuple{L"vtl_prefs.js.ffffffffffffffff.0-0-0.tmp", std::optional(~0ull), 0ul},
          std::tuple{L"vtl_prefs.js.1234-4294967295-7.tmp", std::optional<unsigned long long>(), 1234ul},
          std::tuple{L"vtl_prefs.js.0-0-0.tmp", std::optional<unsigned long long>(), 0ul}}) {
        const auto writer = StagedFileName::WriterOf(L"vtl_prefs.js", name);
        ASSERT_TRUE(writer.has_value()) << std::string(name, name + std::wcslen(name));
        EXPECT_EQ(writer->Machine, machine);
        EXPECT_EQ(writer->Process, process);
    }

    for (const wchar_t* other : {
             L"vtl_prefs.js", L"vtl_prefs.js.tmp", L"vtl_prefs.js..tmp", L"vtl_prefs.js.1-2.tmp",
             L"vtl_prefs.js.1-2-3-4.tmp", L"vtl_prefs.js.1-2-.tmp", L"vtl_prefs.js.-1-2-3.tmp",
             L"vtl_prefs.js.1-2-3.tmp.bak", L"vtl_prefs.js.1-2-3.TMP", L"VTL_PREFS.JS.1-2-3.tmp",
             L"other.js.1-2-3.tmp", L"vtl_prefs.jsx.1-2-3.tmp", L"vtl_prefs.js.01-2-3.tmp",
             L"vtl_prefs.js.1-2-3x.tmp", L"vtl_prefs.js.1 -2-3.tmp", L"vtl_prefs.js.4294967296-2-3.tmp",
             L"vtl_prefs.js.1-99999999999999999999-3.tmp", L"vtl_prefs.js.\x0661-2-3.tmp",
             // Machine tags: 16 lowercase hex digits and a dot, then the three numbers.
             L"vtl_prefs.js.0123456789ABCDEF.1-2-3.tmp", L"vtl_prefs.js.0123456789abcde.1-2-3.tmp",
             L"vtl_prefs.js.0123456789abcdef0.1-2-3.tmp", L"vtl_prefs.js.0123456789abcdef-1-2-3.tmp",
             L"vtl_prefs.js.0123456789abcdef..1-2-3.tmp", L"vtl_prefs.js.0123456789abcdef.1-2.tmp",
             L"vtl_prefs.js.0123456789abcdeg.1-2-3.tmp", L"vtl_prefs.js.0123456789abcdef.tmp"}) {
        EXPECT_EQ(StagedFileName::WriterOf(L"vtl_prefs.js", other).has_value(), false)
            << std::string(other, other + std::wcslen(other));
    }
}
