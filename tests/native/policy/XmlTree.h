#pragma once
// A strict reader of the XML the templates use (declaration, comments,
// elements, attributes in double or single quotes, text with the five
// predefined entities): enough to tell well-formed from not, and to walk
// the result.
#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct XmlElement {
    std::string Name;
    std::map<std::string, std::string> Attributes;
    std::vector<std::unique_ptr<XmlElement>> Children;
    std::string Text;  // the text directly inside, entities resolved

    // Every element below this one (not itself) with the name, in document order.
    void Collect(const std::string& name, std::vector<const XmlElement*>& found) const {
        for (const auto& child : Children) {
            if (child->Name == name) found.push_back(child.get());
            child->Collect(name, found);
        }
    }
    std::vector<const XmlElement*> All(const std::string& name) const {
        std::vector<const XmlElement*> found;
        Collect(name, found);
        return found;
    }
    std::string Attribute(const std::string& name) const {
        const auto found = Attributes.find(name);
        return found == Attributes.end() ? std::string("<absent>") : found->second;
    }
};

class XmlTree {
public:
    // The root element; null, with the reason in error, when the text is
    // not well-formed.
    static std::unique_ptr<XmlElement> Parse(const std::string& text, std::string& error) {
        XmlTree parser(text);
        std::unique_ptr<XmlElement> root;
        try {
            parser.SkipProlog();
            root = parser.Element();
            parser.SkipMisc();
            if (parser.m_at != text.size()) parser.Fail("content after the root element");
        } catch (const std::string& reason) {
            error = reason + " at offset " + std::to_string(parser.m_at);
            return nullptr;
        }
        return root;
    }

private:
    explicit XmlTree(const std::string& text) : m_text(text) {}

    [[noreturn]] void Fail(const std::string& reason) { throw reason; }
    bool At(const char* s) const { return m_text.compare(m_at, std::char_traits<char>::length(s), s) == 0; }
    void Expect(const char* s) {
        if (!At(s)) Fail(std::string("expected ") + s);
        m_at += std::char_traits<char>::length(s);
    }
    void SkipSpace() {
        while (m_at < m_text.size() && std::string(" \t\r\n").find(m_text[m_at]) != std::string::npos) ++m_at;
    }
    void SkipPast(const char* end) {
        const size_t found = m_text.find(end, m_at);
        if (found == std::string::npos) Fail(std::string("unterminated, no ") + end);
        m_at = found + std::char_traits<char>::length(end);
    }
    void SkipMisc() {
        for (SkipSpace(); At("<!--"); SkipSpace()) SkipPast("-->");
    }
    void SkipProlog() {
        if (At("<?xml")) SkipPast("?>");
        SkipMisc();
    }
    std::string Name() {
        const size_t start = m_at;
        while (m_at < m_text.size() && (isalnum(static_cast<unsigned char>(m_text[m_at])) ||
                                        std::string("_:-.").find(m_text[m_at]) != std::string::npos))
            ++m_at;
        if (m_at == start || isdigit(static_cast<unsigned char>(m_text[start]))) Fail("expected a name");
        return m_text.substr(start, m_at - start);
    }
    std::string Decode(const std::string& raw) {
        static const std::map<std::string, char> entities = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        std::string out;
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '<') Fail("'<' in text or attribute");
            if (raw[i] != '&') {
                out += raw[i];
                continue;
            }
            const size_t semi = raw.find(';', i);
            const auto found = semi == std::string::npos ? entities.end() : entities.find(raw.substr(i + 1, semi - i - 1));
            if (found == entities.end()) Fail("unknown entity");
            out += found->second;
            i = semi;
        }
        return out;
    }
    std::unique_ptr<XmlElement> Element() {
        Expect("<");
        auto element = std::make_unique<XmlElement>();
        element->Name = Name();
        for (;;) {
            SkipSpace();
            if (At("/>")) {
                m_at += 2;
                return element;
            }
            if (At(">")) break;
            const std::string attribute = Name();
            SkipSpace();
            Expect("=");
            SkipSpace();
            if (m_at >= m_text.size() || (m_text[m_at] != '"' && m_text[m_at] != '\'')) Fail("unquoted attribute");
            const char quote = m_text[m_at++];
            const size_t end = m_text.find(quote, m_at);
            if (end == std::string::npos) Fail("unterminated attribute");
            if (!element->Attributes.emplace(attribute, Decode(m_text.substr(m_at, end - m_at))).second)
                Fail("attribute given twice");
            m_at = end + 1;
        }
        ++m_at;
        for (;;) {
            const size_t lt = m_text.find('<', m_at);
            if (lt == std::string::npos) Fail("unclosed element " + element->Name);
            element->Text += Decode(m_text.substr(m_at, lt - m_at));
            m_at = lt;
            if (At("<!--")) {
                SkipPast("-->");
            } else if (At("</")) {
                m_at += 2;
                if (Name() != element->Name) Fail("mismatched end tag of " + element->Name);
                SkipSpace();
                Expect(">");
                return element;
            } else {
                element->Children.push_back(Element());
            }
        }
    }

    const std::string& m_text;
    size_t m_at = 0;
};
