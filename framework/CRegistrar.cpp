#include "framework/CRegistrar.h"

#include "framework/CUniqueHandle.h"

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

bool EqualsNoCase(const std::wstring& a, LPCWSTR b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b, -1, TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

// Reads a script into roots and keys; any deviation from the grammar fails
// the whole script so that nothing is written from half of it.
class CRegistrar::Parser {
public:
    Parser(const CRegistrar& registrar, const std::wstring& text)
        : m_registrar(registrar), m_text(text) {}

    bool Parse(std::vector<Root>& roots) {
        Token token;
        while (Next(token)) {
            Root root{RootKeyOf(token), {}};
            if (root.hKey == nullptr || !ExpectBare(L"{") || !ParseKeys(root.keys, nullptr))
                return false;
            roots.push_back(std::move(root));
        }
        return m_ok;
    }

private:
    static HKEY RootKeyOf(const Token& token) {
        if (token.quoted) return nullptr;
        if (EqualsNoCase(token.text, L"HKCR") || EqualsNoCase(token.text, L"HKEY_CLASSES_ROOT"))
            return HKEY_CLASSES_ROOT;
        if (EqualsNoCase(token.text, L"HKLM") || EqualsNoCase(token.text, L"HKEY_LOCAL_MACHINE"))
            return HKEY_LOCAL_MACHINE;
        if (EqualsNoCase(token.text, L"HKCU") || EqualsNoCase(token.text, L"HKEY_CURRENT_USER"))
            return HKEY_CURRENT_USER;
        return nullptr;
    }

    static bool IsBare(const Token& token, LPCWSTR word) {
        return !token.quoted && EqualsNoCase(token.text, word);
    }

    // Keys, and values where a key's body allows them (values not null),
    // up to the closing brace.
    bool ParseKeys(std::vector<Key>& keys, std::vector<Value>* values) {
        Token token;
        while (Next(token)) {
            if (IsBare(token, L"}")) return true;
            if (IsBare(token, L"val")) {
                // A reserved word: a key of that name is written quoted.
                if (values == nullptr) return false;
                Value value;
                if (!ParseName(value.name) || !ExpectBare(L"=") || !ParseString(value.data))
                    return false;
                values->push_back(std::move(value));
                continue;
            }
            Key key;
            while (IsBare(token, L"ForceRemove") || IsBare(token, L"NoRemove")) {
                (IsBare(token, L"ForceRemove") ? key.forceRemove : key.noRemove) = true;
                if (!Next(token)) return false;
            }
            if (!TakeName(token, key.name) || !ParseKeyTail(key)) return false;
            keys.push_back(std::move(key));
        }
        return false;  // no closing brace
    }

    // After a key's name: an optional default value, then an optional body.
    bool ParseKeyTail(Key& key) {
        size_t mark = m_pos;
        Token token;
        if (!Next(token)) {
            m_pos = mark;
            return true;
        }
        if (IsBare(token, L"=")) {
            Value value;
            if (!ParseString(value.data)) return false;
            key.values.push_back(std::move(value));
            mark = m_pos;
            if (!Next(token)) {
                m_pos = mark;
                return true;
            }
        }
        if (IsBare(token, L"{")) return ParseKeys(key.subkeys, &key.values);
        m_pos = mark;  // the token belongs to the next entry
        return true;
    }

    bool ParseName(std::wstring& name) {
        Token token;
        return Next(token) && TakeName(token, name);
    }

    // A key or value name: not a brace or '=', never empty, and without a
    // backslash (a path would escape what unregistration deletes).
    bool TakeName(const Token& token, std::wstring& name) {
        if (!token.quoted && (token.text == L"{" || token.text == L"}" || token.text == L"="))
            return false;
        if (token.text.empty() || token.text.find(L'\\') != std::wstring::npos) return false;
        name = token.text;
        return true;
    }

    // "s" and the string.
    bool ParseString(std::wstring& data) {
        Token token;
        if (!Next(token) || !IsBare(token, L"s") || !Next(token)) return false;
        if (!token.quoted && (token.text == L"{" || token.text == L"}" || token.text == L"="))
            return false;
        data = token.text;
        return true;
    }

    bool ExpectBare(LPCWSTR word) {
        Token token;
        return Next(token) && IsBare(token, word);
    }

    // The next token with its replacements made; false at the end or on an error.
    bool Next(Token& token) {
        if (!m_ok) return false;
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos])) ++m_pos;
        if (m_pos >= m_text.size()) return false;
        std::wstring raw;
        token.quoted = m_text[m_pos] == L'\'';
        if (token.quoted) {
            ++m_pos;
            for (;;) {
                if (m_pos >= m_text.size()) return Fail();
                if (m_text[m_pos] == L'\'') {
                    if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == L'\'') {
                        raw += L'\'';
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                raw += m_text[m_pos++];
            }
        } else if (m_text[m_pos] == L'=') {
            raw = L"=";
            ++m_pos;
        } else {
            while (m_pos < m_text.size() && !IsSpace(m_text[m_pos]) && m_text[m_pos] != L'=' &&
                   m_text[m_pos] != L'\'')
                raw += m_text[m_pos++];
        }
        if (!m_registrar.Expand(raw, token.text)) return Fail();
        return true;
    }

    bool Fail() {
        m_ok = false;
        return false;
    }

    const CRegistrar& m_registrar;
    const std::wstring& m_text;
    size_t m_pos = 0;
    bool m_ok = true;
};

HRESULT CRegistrar::AddReplacement(LPCWSTR name, LPCWSTR value) {
    if (name == nullptr || value == nullptr || *name == L'\0') return E_INVALIDARG;
    for (auto& entry : m_replacements) {
        if (EqualsNoCase(entry.first, name)) {
            entry.second = value;
            return S_OK;
        }
    }
    m_replacements.emplace_back(name, value);
    return S_OK;
}

bool CRegistrar::Expand(const std::wstring& text, std::wstring& out) const {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            out += text[i];
            continue;
        }
        const size_t end = text.find(L'%', i + 1);
        if (end == std::wstring::npos) return false;
        const std::wstring name = text.substr(i + 1, end - i - 1);
        if (name.empty()) {
            out += L'%';
        } else {
            const auto* pEntry = [&]() -> const std::pair<std::wstring, std::wstring>* {
                for (const auto& entry : m_replacements)
                    if (EqualsNoCase(entry.first, name.c_str())) return &entry;
                return nullptr;
            }();
            if (pEntry == nullptr) return false;
            out += pEntry->second;
        }
        i = end;
    }
    return true;
}

HRESULT CRegistrar::LoadScript(HINSTANCE hInst, UINT resourceId, std::wstring& script) {
    HRSRC hRes = ::FindResourceW(hInst, MAKEINTRESOURCEW(resourceId), L"REGISTRY");
    if (hRes == nullptr) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
    HGLOBAL hData = ::LoadResource(hInst, hRes);
    const DWORD size = ::SizeofResource(hInst, hRes);
    const char* pText = hData != nullptr ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    if (pText == nullptr) return HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
    if (size == 0) {
        script.clear();
        return S_OK;
    }
    // Scripts are 8-bit text in the thread's code page.
    const int length = ::MultiByteToWideChar(CP_THREAD_ACP, 0, pText, static_cast<int>(size), nullptr, 0);
    if (length <= 0) return E_BADSCRIPT;
    script.assign(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, pText, static_cast<int>(size), &script[0], length);
    // The resource may carry a terminating NUL.
    while (!script.empty() && script.back() == L'\0') script.pop_back();
    return S_OK;
}

HRESULT CRegistrar::ResourceRegister(HINSTANCE hInst, UINT resourceId) {
    std::wstring script;
    const HRESULT hr = LoadScript(hInst, resourceId, script);
    return FAILED(hr) ? hr : Run(script, true);
}

HRESULT CRegistrar::ResourceUnregister(HINSTANCE hInst, UINT resourceId) {
    std::wstring script;
    const HRESULT hr = LoadScript(hInst, resourceId, script);
    return FAILED(hr) ? hr : Run(script, false);
}

HRESULT CRegistrar::StringRegister(const std::wstring& script) { return Run(script, true); }

HRESULT CRegistrar::StringUnregister(const std::wstring& script) { return Run(script, false); }

HRESULT CRegistrar::Run(const std::wstring& script, bool doRegister) {
    std::vector<Root> roots;
    if (!Parser(*this, script).Parse(roots)) return E_BADSCRIPT;
    for (const Root& root : roots) {
        for (const Key& key : root.keys) {
            const HRESULT hr = doRegister ? RegisterKey(root.hKey, key) : UnregisterKey(root.hKey, key);
            if (FAILED(hr)) return hr;
        }
    }
    return S_OK;
}

HRESULT CRegistrar::DeleteTree(HKEY hParent, const std::wstring& name) {
    const LSTATUS status = ::RegDeleteTreeW(hParent, name.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return S_OK;
    return HRESULT_FROM_WIN32(status);
}

HRESULT CRegistrar::RegisterKey(HKEY hParent, const Key& key) {
    if (key.forceRemove) {
        const HRESULT hr = DeleteTree(hParent, key.name);
        if (FAILED(hr)) return hr;
    }
    HKEY hKey = nullptr;
    LSTATUS status = ::RegCreateKeyExW(hParent, key.name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr);
    const CRegKeyHandle opened(hKey);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    for (const Value& value : key.values) {
        const DWORD bytes = static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t));
        status = ::RegSetValueExW(opened.Get(), value.name.empty() ? nullptr : value.name.c_str(), 0,
                                  REG_SZ, reinterpret_cast<const BYTE*>(value.data.c_str()), bytes);
        if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    }
    for (const Key& subkey : key.subkeys) {
        const HRESULT hr = RegisterKey(opened.Get(), subkey);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT CRegistrar::UnregisterKey(HKEY hParent, const Key& key) {
    if (!key.noRemove) return DeleteTree(hParent, key.name);
    HKEY hKey = nullptr;
    const LSTATUS status = ::RegOpenKeyExW(hParent, key.name.c_str(), 0, KEY_READ | KEY_WRITE, &hKey);
    const CRegKeyHandle opened(hKey);
    if (status == ERROR_FILE_NOT_FOUND) return S_OK;
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    for (const Value& value : key.values) {
        const LSTATUS deleted =
            ::RegDeleteValueW(opened.Get(), value.name.empty() ? nullptr : value.name.c_str());
        if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) return HRESULT_FROM_WIN32(deleted);
    }
    for (const Key& subkey : key.subkeys) {
        const HRESULT hr = UnregisterKey(opened.Get(), subkey);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}
