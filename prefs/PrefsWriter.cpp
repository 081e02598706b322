#include "prefs/PrefsWriter.h"

#include "prefs/AnsiCodePage.h"
#include "prefs/PreferenceSet.h"

PrefsWriter::PrefsWriter(const AnsiCodePage& codePage) : m_codePage(codePage) {}

std::string PrefsWriter::Write(const PreferenceSet& set) const {
    std::string out;
    AppendText(out, "vtl_prefs = {\n");
    for (int i = 0; i < set.Count(); ++i) {
        if (i > 0)
            AppendText(out, ",\n");
        AppendText(out, "  ");
        AppendText(out, m_codePage.Encode(set.KeyAt(i)));
        AppendText(out, ": ");
        AppendText(out, QuoteValue(set.ValueAt(i)));
    }
    AppendText(out, "};\n");
    return out;
}

std::string PrefsWriter::QuoteValue(std::wstring_view value) {
    static const char hex[] = "0123456789ABCDEF";
    std::string quoted = "\"";
    for (wchar_t c : value) {
        const unsigned long unit = static_cast<unsigned long>(c);
        if (c == L'\\' || c == L'"') {
            quoted.push_back('\\');
            quoted.push_back(static_cast<char>(c));
        } else if (unit >= 0x20 && unit <= 0x7E) {
            quoted.push_back(static_cast<char>(unit));
        } else {
            quoted += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                quoted.push_back(hex[(unit >> shift) & 0xF]);
        }
    }
    quoted.push_back('"');
    return quoted;
}

void PrefsWriter::AppendText(std::string& out, std::string_view text) {
    for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n')) {
        out.append(text.substr(0, lf));
        out.append("\r\n");
        text.remove_prefix(lf + 1);
    }
    out.append(text);
}
