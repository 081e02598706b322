#pragma once
#include <string>
#include <string_view>

class AnsiCodePage;
class PreferenceSet;

// Writes a set as the preferences file's one JavaScript statement,
//   vtl_prefs = {
//     key: "value",
//     key: "value"};
// in set order, with CR LF line ends, as the bytes that go to disk. Values
// are JavaScript string literals in plain ASCII; keys are written as they
// stand (through the ANSI code page, the way the reader took them in).
class PrefsWriter {
public:
    explicit PrefsWriter(const AnsiCodePage& codePage);

    std::string Write(const PreferenceSet& set) const;

private:
    // The value as a double-quoted literal: \\, \" and \uXXXX for every code
    // unit outside 0x20-0x7E (each surrogate half on its own), so it holds
    // no line feed.
    static void AppendQuotedValue(std::string& out, std::wstring_view value);
    // Line feeds reach the disk as CR LF, as a text-mode write makes them.
    static void AppendText(std::string& out, std::string_view text);

    const AnsiCodePage& m_codePage;
};
