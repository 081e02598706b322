#pragma once
#include <string>

class PreferenceSet;
class StagedFile;

// The two copies of the preferences file "vtl_prefs.js": the per-machine
// copy under ALLUSERSPROFILE, and the local copy under LOCALAPPDATA where
// the browser's protected mode keeps its redirected ("Virtualized") view
// of that folder. Both are written with the same text; only the local
// copy is read.
//
//   PrefsFile::FromEnvironment().Load(set);   // when the sheet is built
//   PrefsFile::FromEnvironment().Save(set);   // when it ends with OK
class PrefsFile {
public:
    // A local copy larger than this is treated as unreadable.
    static constexpr unsigned long long MaxFileBytes = 16ull * 1024 * 1024;

    // Takes both folders from the environment as it is now.
    static PrefsFile FromEnvironment();
    PrefsFile(const std::wstring& localAppData, const std::wstring& allUsersProfile);

    // "Temporary Internet Files\Virtualized\" + the per-machine folder with
    // every ":" removed + "\Brackwyn Software\VTL\".
    static std::wstring VirtualizedSubpath(const std::wstring& allUsersProfile);
    // Creates every missing folder along base\relative (relative ends with
    // "\"). Failures are left to show when a file is opened there; a base
    // that is not an absolute path creates nothing.
    static void EnsureDirectories(const std::wstring& base, const std::wstring& relative);

    // The full paths; empty when a folder they need is unset, empty or not
    // an absolute path.
    const std::wstring& LocalPath() const { return m_localPath; }
    const std::wstring& CommonPath() const { return m_commonPath; }

    // What Load found. A local copy that is Unreadable exists but could not
    // be read in full (held open by another program without sharing, a
    // read error, out of memory, over the size limit): it still holds what
    // the user saved, so it is not to be replaced without asking.
    enum class LoadResult { NoLocalCopy, Read, Unreadable };
    // Overlays the pairs of the local copy onto the set; the set is left
    // untouched unless the copy was Read.
    LoadResult Load(PreferenceSet& set) const;
    // Writes the set to both copies. If the local copy cannot be written it
    // says "Can't save options data" and changes neither copy; a common copy
    // that cannot be written is skipped without a word, and the local copy
    // is replaced all the same. True when both copies hold the new text.
    bool Save(const PreferenceSet& set) const;
    // Save without a word to the user, for callers with no one to tell.
    enum class WriteResult { Neither, LocalOnly, Both };
    WriteResult Write(const PreferenceSet& set) const;

    // Save's steps: first both copies are staged (written in full beside
    // their targets), then the local and then the common one is committed.
    // CommonFailed leaves the local copy staged.
    enum class StageResult { Staged, LocalFailed, CommonFailed };
    StageResult Stage(const PreferenceSet& set, StagedFile& local, StagedFile& common) const;
    static void ShowSaveFailure();

private:
    static std::wstring ReadEnvironment(const wchar_t* name);
    static bool IsAbsolutePath(const std::wstring& path);
    static std::wstring BuildPath(const std::wstring& base, const std::wstring& relative);
    static LoadResult ReadWholeFile(const std::wstring& path, std::string& bytes);

    std::wstring m_localAppData;
    std::wstring m_allUsersProfile;
    std::wstring m_localPath;
    std::wstring m_commonPath;
};
