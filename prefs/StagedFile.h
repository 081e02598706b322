#pragma once
#include <optional>
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

    // The tag of this computer's name that temporary names record (see
    // StagedFileName); none when it has no name to give.
    static std::optional<unsigned long long> ThisMachine();

private:
    static std::optional<unsigned long long> AskThisMachine();
    static std::wstring NewTempName(const std::wstring& target, std::optional<unsigned long long> machine);
    // Removes the target's temporary files whose writer is certainly gone:
    // written on this machine by a process that has ended, or not written
    // for an hour. A process id from another machine (or from a name that
    // records no machine, as older versions made) proves nothing here, so
    // such files are left for the hour, the time another save there may
    // still be writing them. Names this component does not make stay.
    static void RemoveLeftovers(const std::wstring& target, std::optional<unsigned long long> machine);

    static bool IsOlder(const FILETIME& time, const FILETIME& now, unsigned long long age);
    static bool IsProcessRunning(unsigned long id);
    static bool WriteAll(HANDLE file, std::string_view bytes);

    std::wstring m_target;
    std::wstring m_temp;
};
