#include "support/PrefsSandbox.h"

#include <cstdio>
#include <vector>

#include "prefs/PrefsFile.h"

PrefsSandbox::PrefsSandbox() {
    m_oldLocal = ReadVariable(L"LOCALAPPDATA", m_hadLocal);
    m_oldAllUsers = ReadVariable(L"ALLUSERSPROFILE", m_hadAllUsers);
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    static int s_counter = 0;
    m_root = std::wstring(temp) + L"vtl-sheet-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
             std::to_wstring(++s_counter);
    RemoveTree(m_root);
    ::CreateDirectoryW(m_root.c_str(), nullptr);
    const std::wstring local = m_root + L"\\Local";
    const std::wstring common = m_root + L"\\ProgramData";
    ::CreateDirectoryW(local.c_str(), nullptr);
    ::CreateDirectoryW(common.c_str(), nullptr);
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", local.c_str());
    ::SetEnvironmentVariableW(L"ALLUSERSPROFILE", common.c_str());
}

PrefsSandbox::~PrefsSandbox() {
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", m_hadLocal ? m_oldLocal.c_str() : nullptr);
    ::SetEnvironmentVariableW(L"ALLUSERSPROFILE", m_hadAllUsers ? m_oldAllUsers.c_str() : nullptr);
    RemoveTree(m_root);
}

std::wstring PrefsSandbox::ReadVariable(const wchar_t* name, bool& wasSet) {
    std::vector<wchar_t> buffer(32768, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(name, buffer.data(), 32768);
    wasSet = length > 0 && length < 32768;
    return wasSet ? std::wstring(buffer.data(), length) : std::wstring();
}

void PrefsSandbox::RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE hFind = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(hFind, &found));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryW(folder.c_str());
}

std::wstring PrefsSandbox::LocalPath() const { return PrefsFile::FromEnvironment().LocalPath(); }

std::wstring PrefsSandbox::CommonPath() const { return PrefsFile::FromEnvironment().CommonPath(); }

void PrefsSandbox::WriteLocal(const std::string& bytes) const {
    PrefsFile::EnsureDirectories(m_root + L"\\Local",
                                 PrefsFile::VirtualizedSubpath(m_root + L"\\ProgramData"));
    FILE* pFile = _wfopen(LocalPath().c_str(), L"wb");
    if (pFile == nullptr) return;
    fwrite(bytes.data(), 1, bytes.size(), pFile);
    fclose(pFile);
}

bool PrefsSandbox::Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string PrefsSandbox::ReadBytes(const std::wstring& path) {
    std::string bytes;
    FILE* pFile = _wfopen(path.c_str(), L"rb");
    if (pFile == nullptr) return bytes;
    char chunk[4096];
    size_t got = 0;
    while ((got = fread(chunk, 1, sizeof(chunk), pFile)) > 0) bytes.append(chunk, got);
    fclose(pFile);
    return bytes;
}

PreferenceSet PrefsSandbox::LoadLocal() const {
    PreferenceSet set;
    PrefsFile::FromEnvironment().Load(set);
    return set;
}
