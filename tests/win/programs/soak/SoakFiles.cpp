#include "SoakFiles.h"

#include <windows.h>

#include "SoakSheetRun.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsFile.h"
#include "prefs/PrefsReader.h"
#include "prefs/PrefsWriter.h"
#include "prefs/ThreadAnsiCodePage.h"

namespace {

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

// Every value the run decides, against the set read from a file.
std::string CompareValues(const PreferenceSet& set, int run) {
    const SoakSheetRun::Outcome outcome = SoakSheetRun::OutcomeOf(run);
    const std::pair<const wchar_t*, std::wstring> expected[] = {
        {L"openingbehavior", outcome.OpeningBehavior},
        {L"openingmode", outcome.OpeningMode},
        {L"proxyservice", outcome.ProxyService},
        {L"proxyport", outcome.ProxyPort},
        {L"viewertype", L"builtin"},
        {L"sparqltype", L"corvessa"},
        {L"h_name0", outcome.HeaderName},
        {L"h_val0", outcome.HeaderValue},
    };
    std::string problems;
    for (const auto& pair : expected) {
        const int position = set.FindKey(pair.first);
        const std::wstring found(position >= 0 ? set.ValueAt(position) : L"<missing>");
        if (found != pair.second)
            problems += "after run " + std::to_string(run) + " " + Narrow(pair.first) + " is \"" +
                        Narrow(found) + "\", not \"" + Narrow(pair.second) + "\"\n";
    }
    if (set.FindKey(L"h_name1") >= 0)
        problems += "after run " + std::to_string(run) + " there is more than one header row\n";
    return problems;
}

}  // namespace

bool SoakFiles::PlaceUnder(const std::wstring& folder) {
    const std::wstring local = folder + L"\\Local";
    const std::wstring common = folder + L"\\ProgramData";
    for (const std::wstring& path : {folder, local, common}) {
        if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return ::SetEnvironmentVariableW(L"LOCALAPPDATA", local.c_str()) &&
           ::SetEnvironmentVariableW(L"ALLUSERSPROFILE", common.c_str());
}

std::string SoakFiles::CheckValues(int run) {
    PreferenceSet set;
    if (PrefsFile::FromEnvironment().Load(set) != PrefsFile::LoadResult::Read)
        return "after run " + std::to_string(run) + " there is no local preferences file\n";
    return CompareValues(set, run);
}

std::string SoakFiles::CheckBoth(int lastOkRun) {
    const PrefsFile files = PrefsFile::FromEnvironment();
    const std::optional<std::string> local = ReadBytes(files.LocalPath());
    const std::optional<std::string> common = ReadBytes(files.CommonPath());
    if (!local || !common) return "a preferences file is missing\n";
    if (*local != *common) return "the two preferences files differ\n";
    const ThreadAnsiCodePage codePage;
    PreferenceSet set;
    PrefsReader(codePage).Overlay(*local, set);
    std::string problems;
    if (PrefsWriter(codePage).Write(set) != *local)
        problems += "the preferences file is not complete: read and written again it differs\n";
    return problems + CompareValues(set, lastOkRun);
}

std::optional<std::string> SoakFiles::ReadBytes(const std::wstring& path) {
    HANDLE hFile = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(hFile, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(hFile);
    return bytes;
}
