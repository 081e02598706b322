#include "prefs/PrefsWriter.h"

#include "prefs/AnsiCodePage.h"
#include "prefs/PreferenceSet.h"

PrefsWriter::PrefsWriter(const AnsiCodePage& codePage) : m_codePage(codePage) {}

std::string PrefsWriter::Write(const PreferenceSet& set) const {
    // Room for the usual file, keys and values of plain ASCII, so that the
    // text is not copied again and again as it grows.
    size_t estimate = 32;
    for (int i = 0; i < set.Count(); ++i)
        estimate += set.KeyAt(i).size() + set.ValueAt(i).size() + 9;
    std::string out;
    out.reserve(estimate);
    out.append("vtl_prefs = {\r\n");
    for (int i = 0; i < set.Count(); ++i) {
        if (i > 0)
            out.append(",\r\n");
        out.append("  ");
        AppendText(out, m_codePage.Encode(set.KeyAt(i)));
        out.append(": ");
        AppendQuotedValue(out, set.ValueAt(i));
    }
    out.append("};\r\n");
    return out;
}

void PrefsWriter::AppendQuotedValue(std::string& out, std::wstring_view value) {
    static const char hex[] = "0123456789ABCDEF";
    out.push_back('"');
    for (wchar_t c : value) {
        const unsigned long unit = static_cast<unsigned long>(c);
        if (c == L'\\' || c == L'"') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (unit >= 0x20 && unit <= 0x7E) {
            out.push_back(static_cast<char>(unit));
        } else {
            out.append("\\u");
            for (int shift = 12; shift >= 0; shift -= 4)
                out.push_back(hex[(unit >> shift) & 0xF]);
        }
    }
    out.push_back('"');
}

void PrefsWriter::AppendText(std::string& out, std::string_view text) {
    for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n')) {
        out.append(text.substr(0, lf));
        out.append("\r\n");
        text.remove_prefix(lf + 1);
    }
    out.append(text);
}
