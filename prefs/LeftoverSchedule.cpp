#include "prefs/LeftoverSchedule.h"

#include <windows.h>

#include <map>

namespace {
constexpr ULONGLONG kSearchEvery = 60ull * 60 * 1000;  // one hour, in ms

struct Seen {
    ULONGLONG searchedAt = 0;
    unsigned long long folderTime = 0;  // 0: no save has ended since the search
};

// By target, for this process; saves may run on any thread.
SRWLOCK g_lock = SRWLOCK_INIT;
std::map<std::wstring, Seen>& SeenTargets() {
    static std::map<std::wstring, Seen> targets;
    return targets;
}
}  // namespace

bool LeftoverSchedule::SearchDue(const std::wstring& target) {
    unsigned long long now = 0;
    if (!FolderTime(target, now))
        return true;
    AcquireSRWLockShared(&g_lock);
    const auto found = SeenTargets().find(target);
    const bool due = found == SeenTargets().end() || GetTickCount64() - found->second.searchedAt >= kSearchEvery ||
                     found->second.folderTime != now;
    ReleaseSRWLockShared(&g_lock);
    return due;
}

void LeftoverSchedule::Searched(const std::wstring& target) {
    AcquireSRWLockExclusive(&g_lock);
    SeenTargets()[target] = Seen{GetTickCount64(), 0};
    ReleaseSRWLockExclusive(&g_lock);
}

void LeftoverSchedule::SaveEnded(const std::wstring& target) {
    unsigned long long time = 0;
    const bool known = FolderTime(target, time);
    AcquireSRWLockExclusive(&g_lock);
    const auto found = SeenTargets().find(target);
    if (found != SeenTargets().end())
        found->second.folderTime = known ? time : 0;
    ReleaseSRWLockExclusive(&g_lock);
}

bool LeftoverSchedule::FolderTime(const std::wstring& target, unsigned long long& time) {
    const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(folder.c_str(), GetFileExInfoStandard, &data))
        return false;
    time = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
    return true;
}
