#include "prefs/StagedFile.h"

#include <windows.h>

#include <atomic>

#include "prefs/ScopedHandle.h"

namespace {
// A few attempts are enough: a name is only taken if an earlier save left
// its temporary file behind.
constexpr int kNameAttempts = 16;
}

StagedFile::~StagedFile() {
    Discard();
}

bool StagedFile::Write(const std::wstring& target, std::string_view bytes) {
    Discard();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::wstring temp = NewTempName(target);
        ScopedHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) {
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

// "vtl_prefs.js.<process>-<tick>-<n>.tmp": unique among this process's
// saves and unlikely to meet a leftover of another process.
std::wstring StagedFile::NewTempName(const std::wstring& target) {
    static std::atomic<unsigned long> counter{0};
    return target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount()) + L"-" +
           std::to_wstring(++counter) + L".tmp";
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
