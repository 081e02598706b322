#pragma once
#include <windows.h>

#include <string>

// A new, empty folder under the temporary folder, deleted with all it
// holds when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    // Path\relative, with its folders created.
    std::wstring MakeFolder(const std::wstring& relative) const;

    static bool WriteFile(const std::wstring& path, const std::string& bytes);
    static bool ReadFile(const std::wstring& path, std::string& bytes);
    static bool Exists(const std::wstring& path);
    static void DeleteTree(const std::wstring& path);

private:
    std::wstring m_path;
};
