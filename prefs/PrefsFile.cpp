#include "prefs/PrefsFile.h"

#include <windows.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "framework/CUniqueHandle.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsReader.h"
#include "prefs/PrefsWriter.h"
#include "prefs/StagedFile.h"
#include "prefs/ThreadAnsiCodePage.h"

namespace {
const wchar_t kCommonSubpath[] = L"Brackwyn Software\\VTL\\";
const wchar_t kFileName[] = L"vtl_prefs.js";
}

PrefsFile PrefsFile::FromEnvironment() {
    return PrefsFile(ReadEnvironment(L"LOCALAPPDATA"), ReadEnvironment(L"ALLUSERSPROFILE"));
}

PrefsFile::PrefsFile(const std::wstring& localAppData, const std::wstring& allUsersProfile)
    : m_localAppData(localAppData), m_allUsersProfile(allUsersProfile) {
    // Both copies need the per-machine folder (the local one names it in
    // its subpath), so without it there is no path at all.
    if (!IsAbsolutePath(allUsersProfile))
        return;
    m_commonPath = BuildPath(allUsersProfile, kCommonSubpath);
    if (IsAbsolutePath(localAppData))
        m_localPath = BuildPath(localAppData, VirtualizedSubpath(allUsersProfile));
}

std::wstring PrefsFile::VirtualizedSubpath(const std::wstring& allUsersProfile) {
    std::wstring subpath = L"Temporary Internet Files\\Virtualized\\";
    for (wchar_t c : allUsersProfile) {
        if (c != L':')
            subpath.push_back(c);
    }
    subpath += L"\\";
    subpath += kCommonSubpath;
    return subpath;
}

void PrefsFile::EnsureDirectories(const std::wstring& base, const std::wstring& relative) {
    if (!IsAbsolutePath(base))
        return;
    // Every folder there already, as after the first save: one probe.
    const DWORD attributes = GetFileAttributesW((base + L"\\" + relative).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    std::wstring path = base + L"\\";
    for (wchar_t c : relative) {
        if (c == L'\\') {
            // Whatever already stands there, folder or file, is left alone.
            if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
                CreateDirectoryW(path.c_str(), nullptr);
        }
        path.push_back(c);
    }
}

PrefsFile::LoadResult PrefsFile::Load(PreferenceSet& set) const {
    if (m_localPath.empty())
        return LoadResult::NoLocalCopy;
    try {
        std::string bytes;
        const LoadResult read = ReadWholeFile(m_localPath, bytes);
        if (read != LoadResult::Read)
            return read;
        const ThreadAnsiCodePage codePage;
        return PrefsReader(codePage).Overlay(bytes, set) ? LoadResult::Read : LoadResult::Unreadable;
    } catch (const std::bad_alloc&) {
        return LoadResult::Unreadable;
    } catch (const std::length_error&) {
        return LoadResult::Unreadable;
    }
}

bool PrefsFile::Save(const PreferenceSet& set) const {
    // A local copy that cannot be written or replaced is the one failure the
    // user hears of.
    const WriteResult written = Write(set);
    if (written == WriteResult::Neither) ShowSaveFailure();
    return written == WriteResult::Both;
}

PrefsFile::WriteResult PrefsFile::Write(const PreferenceSet& set) const {
    StagedFile local;
    StagedFile common;
    StageResult staged = StageResult::LocalFailed;
    try {
        staged = Stage(set, local, common);
    } catch (const std::bad_alloc&) {
        staged = StageResult::LocalFailed;
    }
    // The staged common copy is dropped with a local one that fails.
    if (staged == StageResult::LocalFailed || !local.Commit()) return WriteResult::Neither;
    // The local copy is new even when the common one cannot be: the next
    // save that succeeds brings the two level again.
    return staged == StageResult::Staged && common.Commit() ? WriteResult::Both : WriteResult::LocalOnly;
}

PrefsFile::StageResult PrefsFile::Stage(const PreferenceSet& set, StagedFile& local, StagedFile& common) const {
    if (m_localPath.empty() || m_commonPath.empty())
        return StageResult::LocalFailed;
    EnsureDirectories(m_localAppData, VirtualizedSubpath(m_allUsersProfile));
    EnsureDirectories(m_allUsersProfile, kCommonSubpath);
    const ThreadAnsiCodePage codePage;
    const std::string text = PrefsWriter(codePage).Write(set);
    if (!local.Write(m_localPath, text))
        return StageResult::LocalFailed;
    return common.Write(m_commonPath, text) ? StageResult::Staged : StageResult::CommonFailed;
}

void PrefsFile::ShowSaveFailure() {
    MessageBoxW(nullptr, L"Can't save options data", L"Oops", MB_OK);
}

std::wstring PrefsFile::ReadEnvironment(const wchar_t* name) {
    std::vector<wchar_t> buffer(1);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetEnvironmentVariableW(name, buffer.data(), size);
        if (length == 0)
            return std::wstring();
        if (length < size)
            return std::wstring(buffer.data(), length);
        // Too small: length is the size needed, terminating NUL included.
        buffer.assign(length, L'\0');
    }
}

// A drive-letter path ("C:\...") or a UNC path ("\\server\..."); anything
// else would resolve against the current folder.
bool PrefsFile::IsAbsolutePath(const std::wstring& path) {
    auto isSeparator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    if (path.size() >= 3 && path[1] == L':' && isSeparator(path[2]))
        return (path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z');
    return path.size() >= 3 && isSeparator(path[0]) && isSeparator(path[1]);
}

// The "%s\%svtl_prefs.js" form, with no limit on the length.
std::wstring PrefsFile::BuildPath(const std::wstring& base, const std::wstring& relative) {
    return base + L"\\" + relative + kFileName;
}

PrefsFile::LoadResult PrefsFile::ReadWholeFile(const std::wstring& path, std::string& bytes) {
    CKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        // Only a file that is not there is no copy; one that is there but
        // refused (a sharing violation, no access) is the user's all the same.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? LoadResult::NoLocalCopy
                                                                              : LoadResult::Unreadable;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > MaxFileBytes)
        return LoadResult::Unreadable;
    // Read until the end, whatever the size said: the file may change while
    // it is read, and must not grow past the limit meanwhile either.
    std::string content;
    content.resize(static_cast<size_t>(size.QuadPart) + 1);
    size_t used = 0;
    for (;;) {
        if (used == content.size()) {
            if (content.size() > MaxFileBytes)
                return LoadResult::Unreadable;
            content.resize(content.size() * 2);
        }
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(content.size() - used);
        if (!ReadFile(file.Get(), &content[used], wanted, &read, nullptr))
            return LoadResult::Unreadable;
        used += read;
        // A read short of what was asked for has met the end.
        if (read < wanted)
            break;
    }
    if (used > MaxFileBytes)
        return LoadResult::Unreadable;
    content.resize(used);
    bytes.swap(content);
    return LoadResult::Read;
}
