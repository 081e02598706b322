#include "support/ScratchFolder.h"

ScratchFolder::ScratchFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    static LONG s_counter = 0;
    m_path = std::wstring(temp) + L"vtl-" + name + L"-" + std::to_wstring(::GetCurrentProcessId()) +
             L"-" + std::to_wstring(::InterlockedIncrement(&s_counter));
    DeleteTree(m_path);
    ::CreateDirectoryW(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { DeleteTree(m_path); }

std::wstring ScratchFolder::MakeFolder(const std::wstring& relative) const {
    std::wstring path = m_path;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find(L'\\', start);
        if (end == std::wstring::npos) end = relative.size();
        if (end > start) {
            path += L"\\" + relative.substr(start, end - start);
            ::CreateDirectoryW(path.c_str(), nullptr);
        }
        start = end + 1;
    }
    return path;
}

std::vector<std::wstring> ScratchFolder::Files() const {
    std::vector<std::wstring> files;
    CollectFiles(m_path, L"", files);
    return files;
}

bool ScratchFolder::WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE hFile = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(hFile);
    return ok && written == bytes.size();
}

std::optional<std::string> ScratchFolder::ReadBytes(const std::wstring& path) {
    HANDLE hFile = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(hFile, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(hFile);
    return bytes;
}

bool ScratchFolder::Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ScratchFolder::IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void ScratchFolder::DeleteTree(const std::wstring& path) {
    ForEachEntry(path, [&path](const WIN32_FIND_DATAW& entry) {
        const std::wstring child = path + L"\\" + entry.cFileName;
        ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            DeleteTree(child);
        else
            ::DeleteFileW(child.c_str());
    });
    ::RemoveDirectoryW(path.c_str());
}

void ScratchFolder::ForEachEntry(const std::wstring& folder,
                                 const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    WIN32_FIND_DATAW entry;
    HANDLE hFind = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (hFind == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") visit(entry);
    } while (::FindNextFileW(hFind, &entry));
    ::FindClose(hFind);
}

void ScratchFolder::CollectFiles(const std::wstring& folder, const std::wstring& relative,
                                 std::vector<std::wstring>& files) {
    ForEachEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring name = entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(folder + L"\\" + name, relative + name + L"\\", files);
        else
            files.push_back(relative + name);
    });
}
