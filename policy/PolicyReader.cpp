#include "policy/PolicyReader.h"

#include <algorithm>
#include <utility>

#include "policy/PolicyTable.h"
#include "sheet/HeaderPairs.h"

Policies PolicyReader::Read(const PolicySource& source) {
    return Policies{ReadLevel(source, L""), ReadLevel(source, PolicyTable::RecommendedSubkey)};
}

PolicyLevel PolicyReader::ReadLevel(const PolicySource& source, const std::wstring& subkey) {
    using Scope = PolicySource::Scope;
    const Values machine = source.Values(Scope::Machine, subkey);
    const Values user = source.Values(Scope::User, subkey);
    PolicyLevel level;
    for (const PolicyEntry& entry : PolicyTable::Entries()) {
        // A machine value that cannot be used leaves the user's in force.
        for (const Values* pValues : {&machine, &user}) {
            const std::wstring* pText = TextOf(*pValues, entry.Key);
            if (pText != nullptr && PolicyTable::Accepts(entry, *pText)) {
                level.Values.emplace_back(entry.Key, *pText);
                break;
            }
        }
    }
    const std::wstring headersKey =
        subkey.empty() ? PolicyTable::HeadersSubkey : subkey + L"\\" + PolicyTable::HeadersSubkey;
    level.HasHeaders = ReadHeaders(source.Values(Scope::Machine, headersKey), level.Headers) ||
                       ReadHeaders(source.Values(Scope::User, headersKey), level.Headers);
    return level;
}

// The list is set as soon as it has one numbered entry, usable or not (a
// list of nothing but bad entries sets an empty list); entries go in the
// order of their numbers, gaps allowed.
bool PolicyReader::ReadHeaders(const Values& values, std::vector<UserDataItem>& rows) {
    std::vector<std::pair<unsigned long, const PolicySource::Value*>> entries;
    for (const PolicySource::Value& value : values)
        if (const unsigned long number = EntryNumber(value.Name)) entries.emplace_back(number, &value);
    if (entries.empty()) return false;
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    rows.clear();
    for (const auto& entry : entries) {
        UserDataItem row;
        const std::optional<std::wstring>& text = entry.second->Text;
        if (text && text->size() <= PolicyTable::MaxValueLength && ParseHeaderEntry(*text, row))
            rows.push_back(std::move(row));
    }
    return true;
}

bool PolicyReader::ParseHeaderEntry(const std::wstring& entry, UserDataItem& row) {
    const size_t colon = entry.find(L':');
    if (colon == std::wstring::npos) return false;
    std::wstring name = Trim(entry.substr(0, colon));
    if (name.empty() || name == PLACEHOLDER_HEADER) return false;
    row = UserDataItem{L"", std::move(name), Trim(entry.substr(colon + 1))};
    return true;
}

const std::wstring* PolicyReader::TextOf(const Values& values, const std::wstring& name) {
    for (const PolicySource::Value& value : values)
        if (SameName(value.Name, name)) return value.Text ? &*value.Text : nullptr;
    return nullptr;
}

bool PolicyReader::SameName(const std::wstring& a, const std::wstring& b) {
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](wchar_t x, wchar_t y) { return lower(x) == lower(y); });
}

unsigned long PolicyReader::EntryNumber(const std::wstring& name) {
    if (name.empty() || name.size() > 9 || name[0] == L'0') return 0;
    unsigned long number = 0;
    for (wchar_t c : name) {
        if (c < L'0' || c > L'9') return 0;
        number = number * 10 + static_cast<unsigned long>(c - L'0');
    }
    return number;
}

std::wstring PolicyReader::Trim(const std::wstring& text) {
    const auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}
