#include "prefs/StagedFile.h"

#include <windows.h>

#include <atomic>
#include <optional>

#include "framework/CUniqueHandle.h"
#include "prefs/StagedFileName.h"

namespace {
// A few attempts are enough: a name is only taken if an earlier save left
// its temporary file behind.
constexpr int kNameAttempts = 16;
// A temporary file nobody has written for this long belongs to no save
// still running, whatever process id its name gives.
constexpr unsigned long long kLeftoverAge = 60ull * 60 * 10000000;  // one hour, in 100 ns
}

StagedFile::~StagedFile() {
    Discard();
}

bool StagedFile::Write(const std::wstring& target, std::string_view bytes) {
    Discard();
    const std::optional<unsigned long long> machine = ThisMachine();
    RemoveLeftovers(target, machine);
    // A read-only target stays as it is, as it would for a program that
    // opened it for writing (not every system refuses to move over one).
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::wstring temp = NewTempName(target, machine);
        CKernelHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                continue;
            return false;
        }
        const bool written = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get()) != FALSE;
        if (!file.Close() || !written) {
            DeleteFileW(temp.c_str());
            return false;
        }
        m_target = target;
        m_temp = temp;
        return true;
    }
    return false;
}

bool StagedFile::Commit() {
    if (m_temp.empty())
        return false;
    if (!MoveFileExW(m_temp.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Discard();
        return false;
    }
    m_temp.clear();
    return true;
}

void StagedFile::Discard() {
    if (!m_temp.empty())
        DeleteFileW(m_temp.c_str());
    m_temp.clear();
}

std::wstring StagedFile::NewTempName(const std::wstring& target, std::optional<unsigned long long> machine) {
    static std::atomic<unsigned long> counter{0};
    return StagedFileName::Make(target, machine, GetCurrentProcessId(), GetTickCount(), ++counter);
}

void StagedFile::RemoveLeftovers(const std::wstring& target, std::optional<unsigned long long> machine) {
    const size_t slash = target.find_last_of(L'\\');
    const std::wstring folder = target.substr(0, slash + 1);
    const std::wstring name = target.substr(slash + 1);
    WIN32_FIND_DATAW entry;
    const CFindHandle search(FindFirstFileExW((target + L".*.tmp").c_str(), FindExInfoBasic, &entry,
                                              FindExSearchNameMatch, nullptr, 0));
    if (!search)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const std::optional<StagedFileName::Writer> writer = StagedFileName::WriterOf(name, entry.cFileName);
        if (!writer)
            continue;
        const bool writtenHere = machine && writer->Machine == machine;
        if (IsOlder(entry.ftLastWriteTime, now, kLeftoverAge) || (writtenHere && !IsProcessRunning(writer->Process)))
            DeleteFileW((folder + entry.cFileName).c_str());
    } while (FindNextFileW(search.Get(), &entry));
}

// Asked once: the name cannot change while the process runs (a new one
// takes a restart), and asking for it costs more than the rest of a save.
std::optional<unsigned long long> StagedFile::ThisMachine() {
    static const std::optional<unsigned long long> machine = AskThisMachine();
    return machine;
}

// The physical machine's own name, even in a cluster that gives its nodes
// one name between them.
std::optional<unsigned long long> StagedFile::AskThisMachine() {
    for (const COMPUTER_NAME_FORMAT format : {ComputerNamePhysicalDnsFullyQualified, ComputerNamePhysicalNetBIOS}) {
        DWORD size = 0;
        GetComputerNameExW(format, nullptr, &size);
        if (size == 0)
            continue;
        std::wstring name(size, L'\0');
        if (GetComputerNameExW(format, &name[0], &size) && size > 0) {
            name.resize(size);
            return StagedFileName::MachineTag(name);
        }
    }
    return std::nullopt;
}

bool StagedFile::IsOlder(const FILETIME& time, const FILETIME& now, unsigned long long age) {
    const ULARGE_INTEGER then{{time.dwLowDateTime, time.dwHighDateTime}};
    const ULARGE_INTEGER current{{now.dwLowDateTime, now.dwHighDateTime}};
    return then.QuadPart < current.QuadPart && current.QuadPart - then.QuadPart > age;
}

// A process that cannot be opened for lack of rights runs under another
// account: only "no such process" or a process that has ended counts.
bool StagedFile::IsProcessRunning(unsigned long id) {
    CKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    if (!process)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

bool StagedFile::WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}
