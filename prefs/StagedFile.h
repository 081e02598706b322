#pragma once
#include <string>
#include <string_view>

#include <windows.h>

// New content for a file, first written in full to a new temporary file in
// the target's own folder and then moved over the target in one step, so
// the target always holds either its complete old or its complete new
// content. A staged file that is never committed is removed, and one that
// an interrupted save left behind is removed by the next save.
class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Writes the bytes to a new temporary file beside the target and
    // flushes it; false (leaving nothing behind) if that fails or the
    // target is read-only. Removes the leftovers of earlier saves of the
    // target first.
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
    // Removes the target's temporary files whose writing process has ended
    // or that nobody has written for an hour; never one that another save
    // running now may still be writing.
    static void RemoveLeftovers(const std::wstring& target);
    static bool IsOlder(const FILETIME& time, const FILETIME& now, unsigned long long age);
    static bool IsProcessRunning(unsigned long id);
    static bool WriteAll(HANDLE file, std::string_view bytes);

    std::wstring m_target;
    std::wstring m_temp;
};
