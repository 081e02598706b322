#include "policy/PolicyTemplates.h"

#include "policy/PolicyTable.h"
#include "sheet/ChoiceTable.h"

namespace {

const char kSchema[] =
    " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
    " revision=\"1.0\" schemaVersion=\"1.0\""
    " xmlns=\"http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions\"";
const char kCategory[] = "Vantrel";
const char kRecommendedCategory[] = "Vantrel_Recommended";
const char kSupported[] = "SUPPORTED_Vantrel";
const char kRecommendedSuffix[] = "_Recommended";

// The XML declaration and the root element's start tag.
std::string Opening(const char* root) {
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<") + root + kSchema + ">\n";
}

}  // namespace

std::string PolicyTemplates::Admx() {
    std::string xml = Opening("policyDefinitions");
    xml += "  <policyNamespaces>\n"
           "    <target prefix=\"vantrel\" namespace=\"Brackwyn.Policies.Vantrel\"/>\n"
           "  </policyNamespaces>\n"
           "  <resources minRequiredRevision=\"1.0\"/>\n";
    xml += std::string("  <supportedOn>\n    <definitions>\n      <definition name=\"") + kSupported +
           "\" displayName=\"$(string." + kSupported + ")\"/>\n    </definitions>\n  </supportedOn>\n";
    xml += std::string("  <categories>\n    <category name=\"") + kCategory + "\" displayName=\"$(string." +
           kCategory + ")\"/>\n    <category name=\"" + kRecommendedCategory +
           "\" displayName=\"$(string." + kRecommendedCategory + ")\">\n      <parentCategory ref=\"" +
           kCategory + "\"/>\n    </category>\n  </categories>\n";
    xml += "  <policies>\n";
    for (bool recommended : {false, true}) {
        for (const PolicyEntry& entry : PolicyTable::Entries()) xml += Policy(entry, recommended);
        xml += HeadersPolicy(recommended);
    }
    xml += "  </policies>\n</policyDefinitions>\n";
    return xml;
}

std::string PolicyTemplates::Adml() {
    std::string xml = Opening("policyDefinitionResources");
    xml += "  <displayName>Vantrel Options</displayName>\n"
           "  <description>Settings of the Vantrel Options component: viewer, RDFizer service, "
           "SPARQL endpoint and additional HTTP headers.</description>\n"
           "  <resources>\n    <stringTable>\n";
    xml += StringEntry(kCategory, "Vantrel Options");
    xml += StringEntry(kRecommendedCategory, "Recommended settings (users may change them)");
    xml += StringEntry(kSupported, "Vantrel Options with Group Policy support");
    for (const PolicyEntry& entry : PolicyTable::Entries()) xml += Strings(entry);
    const std::string headersKey = Utf8(PolicyTable::HeadersSubkey);
    const std::string headersTitle = Xml(PolicyTable::HeadersTitle);
    xml += StringEntry(headersKey, headersTitle);
    for (bool recommended : {false, true})
        xml += StringEntry(NameOf(headersKey, recommended) + "_Explain",
                           Explain(headersTitle, headersKey, recommended) +
                               " Each entry is one header, written \"Name: Value\"; they are "
                               "sent in the order of the list.");
    xml += "    </stringTable>\n    <presentationTable>\n";
    for (const PolicyEntry& entry : PolicyTable::Entries()) xml += Presentation(entry);
    xml += "      <presentation id=\"" + headersKey + "\">\n        <listBox refId=\"" + headersKey +
           "\">Headers, each written Name: Value</listBox>\n      </presentation>\n";
    xml += "    </presentationTable>\n  </resources>\n</policyDefinitionResources>\n";
    return xml;
}

std::string PolicyTemplates::Policy(const PolicyEntry& entry, bool recommended) {
    return PolicyElement(Utf8(entry.Key), KeyOf(recommended, false), recommended, Elements(entry));
}

// The list writes its entries under values named 1, 2, 3, ... of the
// header subkey.
std::string PolicyTemplates::HeadersPolicy(bool recommended) {
    const std::string key = Utf8(PolicyTable::HeadersSubkey);
    return PolicyElement(key, KeyOf(recommended, true), recommended,
                         "        <list id=\"" + key + "\" key=\"" + KeyOf(recommended, true) +
                             "\" valuePrefix=\"\"/>\n");
}

// A policy for both the computer and the user, named after its key (the
// recommended one with a suffix), sharing texts and presentation with its
// twin.
std::string PolicyTemplates::PolicyElement(const std::string& key, const std::string& registryKey,
                                           bool recommended, const std::string& elements) {
    const std::string name = NameOf(key, recommended);
    return "    <policy name=\"" + name + "\" class=\"Both\" displayName=\"$(string." + key +
           ")\" explainText=\"$(string." + name + "_Explain)\" presentation=\"$(presentation." + key +
           ")\" key=\"" + registryKey + "\">\n      <parentCategory ref=\"" +
           (recommended ? kRecommendedCategory : kCategory) + "\"/>\n      <supportedOn ref=\"" + kSupported +
           "\"/>\n      <elements>\n" + elements + "      </elements>\n    </policy>\n";
}

std::string PolicyTemplates::Elements(const PolicyEntry& entry) {
    const std::string key = Utf8(entry.Key);
    if (entry.Kind == PolicyKind::Choice) {
        std::string xml = "        <enum id=\"" + key + "\" valueName=\"" + key + "\" required=\"true\">\n";
        for (int i = 0; i < entry.Choices->Count(); ++i) {
            const std::string value = Xml(entry.Choices->ValueAt(i));
            xml += "          <item displayName=\"$(string." + key + "_" + value + ")\"><value><string>" +
                   value + "</string></value></item>\n";
        }
        return xml + "        </enum>\n";
    }
    const bool port = entry.Kind == PolicyKind::Port;
    return "        <text id=\"" + key + "\" valueName=\"" + key + "\" maxLength=\"" +
           std::to_string(port ? 5 : PolicyTable::MaxValueLength) + "\"" +
           (port ? "" : " required=\"true\"") + "/>\n";
}

std::string PolicyTemplates::Presentation(const PolicyEntry& entry) {
    const std::string key = Utf8(entry.Key);
    const std::string title = Xml(entry.Title);
    std::string xml = "      <presentation id=\"" + key + "\">\n";
    if (entry.Kind == PolicyKind::Choice)
        xml += "        <dropdownList refId=\"" + key + "\" noSort=\"true\" defaultItem=\"0\">" + title +
               "</dropdownList>\n";
    else
        xml += "        <textBox refId=\"" + key + "\">\n          <label>" + title +
               "</label>\n        </textBox>\n";
    return xml + "      </presentation>\n";
}

std::string PolicyTemplates::Strings(const PolicyEntry& entry) {
    const std::string key = Utf8(entry.Key);
    const std::string title = Xml(entry.Title);
    std::string xml = StringEntry(key, title);
    for (bool recommended : {false, true})
        xml += StringEntry(NameOf(key, recommended) + "_Explain", Explain(title, key, recommended));
    if (entry.Kind == PolicyKind::Choice)
        for (int i = 0; i < entry.Choices->Count(); ++i)
            xml += StringEntry(key + "_" + Xml(entry.Choices->ValueAt(i)), Xml(entry.Choices->At(i)->Text));
    return xml;
}

std::string PolicyTemplates::Explain(const std::string& title, const std::string& key, bool recommended) {
    if (recommended)
        return "Sets \"" + title + "\" (preference " + key +
               ") for users who have not chosen it themselves. Users may change it; what they "
               "save is kept. A mandatory policy for the same setting wins.";
    return "Sets \"" + title + "\" (preference " + key +
           ") and locks it: the options sheet shows the setting disabled, marked \"Set by your "
           "administrator\", and writes this value to the preferences file. A computer policy "
           "wins over a user policy. rundll32 BrackwynVTL.dll,ApplyPolicy writes it without "
           "opening the sheet.";
}

std::string PolicyTemplates::KeyOf(bool recommended, bool headers) {
    std::wstring key = PolicyTable::PolicyKey;
    if (recommended) key += std::wstring(L"\\") + PolicyTable::RecommendedSubkey;
    if (headers) key += std::wstring(L"\\") + PolicyTable::HeadersSubkey;
    return Xml(key);
}

std::string PolicyTemplates::NameOf(const std::string& key, bool recommended) {
    return recommended ? key + kRecommendedSuffix : key;
}

std::string PolicyTemplates::StringEntry(const std::string& id, const std::string& text) {
    return "      <string id=\"" + id + "\">" + text + "</string>\n";
}

std::string PolicyTemplates::Xml(const std::wstring& text) {
    std::string escaped;
    for (const char c : Utf8(text)) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

// The texts are UTF-16; a lone surrogate half becomes U+FFFD.
std::string PolicyTemplates::Utf8(const std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned long c = static_cast<unsigned long>(text[i]) & 0xFFFF;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
            (static_cast<unsigned long>(text[i + 1]) & 0xFC00) == 0xDC00) {
            c = 0x10000 + ((c - 0xD800) << 10) + ((static_cast<unsigned long>(text[++i]) & 0xFFFF) - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
