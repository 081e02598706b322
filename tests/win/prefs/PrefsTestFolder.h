#pragma once
// A temporary folder that stands in for LOCALAPPDATA and ALLUSERSPROFILE
// while a test runs: it points both variables at folders inside it and
// puts the variables and the files back as they were afterwards.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class PrefsTestFolder {
public:
    PrefsTestFolder() {
        m_savedLocal = ReadVariable(L"LOCALAPPDATA");
        m_savedCommon = ReadVariable(L"ALLUSERSPROFILE");
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        static unsigned counter = 0;
        m_root = std::wstring(temp) + L"vtlprefs-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter);
        CreateDirectoryW(m_root.c_str(), nullptr);
        CreateDirectoryW(Local().c_str(), nullptr);
        CreateDirectoryW(Common().c_str(), nullptr);
        SetEnvironmentVariableW(L"LOCALAPPDATA", Local().c_str());
        SetEnvironmentVariableW(L"ALLUSERSPROFILE", Common().c_str());
    }
    ~PrefsTestFolder() {
        RestoreVariable(L"LOCALAPPDATA", m_savedLocal);
        RestoreVariable(L"ALLUSERSPROFILE", m_savedCommon);
        RemoveTree(m_root);
    }
    PrefsTestFolder(const PrefsTestFolder&) = delete;
    PrefsTestFolder& operator=(const PrefsTestFolder&) = delete;

    const std::wstring& Root() const { return m_root; }
    std::wstring Local() const { return m_root + L"\\Local"; }
    std::wstring Common() const { return m_root + L"\\ProgramData"; }

    // Every file below the root, as paths relative to it.
    std::vector<std::wstring> Files() const {
        std::vector<std::wstring> files;
        CollectFiles(m_root, L"", files);
        return files;
    }

    static std::optional<std::string> ReadBytes(const std::wstring& path) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return std::nullopt;
        std::string bytes;
        char buffer[65536];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
            bytes.append(buffer, read);
        CloseHandle(file);
        return bytes;
    }

    static bool WriteBytes(const std::wstring& path, const std::string& bytes) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        return ok && written == bytes.size();
    }

    static bool IsDirectory(const std::wstring& path) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

private:
    static std::optional<std::wstring> ReadVariable(const wchar_t* name) {
        const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
        if (size == 0)
            return std::nullopt;
        std::wstring value(size, L'\0');
        value.resize(GetEnvironmentVariableW(name, &value[0], size));
        return value;
    }

    static void RestoreVariable(const wchar_t* name, const std::optional<std::wstring>& value) {
        SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
    }

    static void CollectFiles(const std::wstring& folder, const std::wstring& relative,
                             std::vector<std::wstring>& files) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                CollectFiles(folder + L"\\" + name, relative + name + L"\\", files);
            else
                files.push_back(relative + name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }

    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring path = folder + L"\\" + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::optional<std::wstring> m_savedLocal;
    std::optional<std::wstring> m_savedCommon;
    std::wstring m_root;
};
