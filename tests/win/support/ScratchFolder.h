#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A new, empty folder under the temporary folder, deleted with all it
// holds when the object goes; with the file operations tests use on it.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    // Path\relative, with its folders created.
    std::wstring MakeFolder(const std::wstring& relative) const;
    // Every file below Path, as paths relative to it.
    std::vector<std::wstring> Files() const;

    static bool WriteBytes(const std::wstring& path, const std::string& bytes);
    // The whole file; nothing when it cannot be opened.
    static std::optional<std::string> ReadBytes(const std::wstring& path);
    static bool Exists(const std::wstring& path);
    static bool IsFolder(const std::wstring& path);
    // Removes the folder and all below it, read-only files included.
    static void DeleteTree(const std::wstring& path);

private:
    // Calls visit with each entry of the folder but "." and "..".
    static void ForEachEntry(const std::wstring& folder,
                             const std::function<void(const WIN32_FIND_DATAW&)>& visit);
    static void CollectFiles(const std::wstring& folder, const std::wstring& relative,
                             std::vector<std::wstring>& files);

    std::wstring m_path;
};
