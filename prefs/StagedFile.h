#pragma once
#include <string>
#include <string_view>

#include <windows.h>

// New content for a file, first written in full to a new temporary file in
// the target's own folder and then moved over the target in one step, so
// the target always holds either its complete old or its complete new
// content. A staged file that is never committed is removed.
class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Writes the bytes to a new temporary file beside the target and
    // flushes it; false (leaving nothing behind) if that fails.
    bool Write(const std::wstring& target, std::string_view bytes);
    // Moves the written file over the target (replacing it, write-through);
    // on failure the temporary file is removed and the target is untouched.
    bool Commit();
    // Removes the written file, if any, without touching the target.
    void Discard();

    // The temporary file, while there is one.
    const std::wstring& TempPath() const { return m_temp; }

private:
    static std::wstring NewTempName(const std::wstring& target);
    static bool WriteAll(HANDLE file, std::string_view bytes);

    std::wstring m_target;
    std::wstring m_temp;
};
