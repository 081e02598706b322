#pragma once
#include <string>

// When a save must search its target's folder for the temporary files that
// interrupted saves left behind. Such a file only appears as a new entry of
// the folder, which moves the folder's last-write time; so a folder that
// still has the time this process's last save there left it with holds no
// new ones, and the search, which costs a save about as much as writing a
// copy, is skipped. Once an hour it is made all the same: files from
// elsewhere become removable with age, and a file that appeared while this
// process's save was moving its own copy into place is found then.
class LeftoverSchedule {
public:
    static bool SearchDue(const std::wstring& target);
    static void Searched(const std::wstring& target);
    // After a save has moved its new copy over the target.
    static void SaveEnded(const std::wstring& target);

private:
    static bool FolderTime(const std::wstring& target, unsigned long long& time);
};
