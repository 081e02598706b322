#pragma once
#include <string>

struct PolicyEntry;

// The Group Policy templates, made from the policy table: the ADMX file
// (categories, one mandatory and one recommended policy per key and for
// the header list, each for both the computer and the user) and its
// en-US ADML file (every text and presentation the ADMX names). Both are
// UTF-8 XML.
class PolicyTemplates {
public:
    static constexpr char AdmxName[] = "VantrelOptions.admx";
    static constexpr char AdmlName[] = "en-US/VantrelOptions.adml";

    static std::string Admx();
    static std::string Adml();

private:
    static std::string Policy(const PolicyEntry& entry, bool recommended);
    static std::string HeadersPolicy(bool recommended);
    static std::string PolicyElement(const std::string& key, const std::string& registryKey, bool recommended,
                                     const std::string& elements);
    static std::string Elements(const PolicyEntry& entry);
    static std::string Presentation(const PolicyEntry& entry);
    static std::string Strings(const PolicyEntry& entry);
    static std::string Explain(const std::string& title, const std::string& key, bool recommended);

    static std::string KeyOf(bool recommended, bool headers);
    static std::string NameOf(const std::string& key, bool recommended);
    static std::string StringEntry(const std::string& id, const std::string& text);
    // UTF-8, with the five XML special characters escaped.
    static std::string Xml(const std::wstring& text);
    static std::string Xml(const wchar_t* text) { return Xml(std::wstring(text)); }
    static std::string Utf8(const std::wstring& text);
};
