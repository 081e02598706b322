// Checks an installed package the way a user would: starts the stand-in
// browser (which finds the component through the registry alone), presses
// "VTL options", checks that the sheet comes from the installed DLL,
// presses OK and checks that both preferences files were written alike.
//
//   vtlinstalled.exe BROWSER.EXE INSTALLED.DLL
//
// Prints what it found and the two preferences files' paths; exit code 0
// when all holds, 1 otherwise.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <optional>
#include <string>

#include "support/ChildProcess.h"
#include "support/ProcessWindows.h"
#include "support/ScratchFolder.h"

namespace {

const DWORD kWait = 30000;

std::wstring Environment(LPCWSTR name) {
    wchar_t value[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

// The full paths of the modules the process has loaded that carry this file name.
bool HasLoaded(DWORD processId, const std::wstring& path) {
    HANDLE hSnap = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
    if (hSnap == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = ::Module32FirstW(hSnap, &entry); more && !found; more = ::Module32NextW(hSnap, &entry))
        found = _wcsicmp(entry.szExePath, path.c_str()) == 0;
    ::CloseHandle(hSnap);
    return found;
}

int Fail(const char* what, const std::string& output = std::string()) {
    std::printf("FAILED: %s\n%s", what, output.c_str());
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return Fail("usage: vtlinstalled.exe BROWSER.EXE INSTALLED.DLL");
    const std::wstring browser = argv[1], dll = argv[2];

    // Where the component writes: the common copy, and the browser's
    // virtualized view of it under the local application data.
    const std::wstring allUsers = Environment(L"ALLUSERSPROFILE");
    std::wstring withoutColons;
    for (wchar_t c : allUsers)
        if (c != L':') withoutColons += c;
    const std::wstring common = allUsers + L"\\Brackwyn Software\\VTL\\vtl_prefs.js";
    const std::wstring local = Environment(L"LOCALAPPDATA") + L"\\Temporary Internet Files\\Virtualized\\" +
                               withoutColons + L"\\Brackwyn Software\\VTL\\vtl_prefs.js";
    ::DeleteFileW(common.c_str());
    ::DeleteFileW(local.c_str());

    ChildProcess host;
    if (!host.Start(L"\"" + browser + L"\" /press /exit")) return Fail("the browser did not start");
    HWND hSheet = ProcessWindows::WaitForTopLevel(host.Id(), L"VTL Options", nullptr, kWait);
    if (hSheet == nullptr) return Fail("no \"VTL Options\" sheet came", host.Output());
    if (!HasLoaded(host.Id(), dll)) return Fail("the browser did not load the installed DLL");
    ProcessWindows::PressButton(hSheet, IDOK);
    if (!host.Wait(kWait) || host.ExitCode() != static_cast<DWORD>(S_OK))
        return Fail("the browser did not end with S_OK after OK", host.Output());

    const std::optional<std::string> commonText = ScratchFolder::ReadBytes(common);
    const std::optional<std::string> localText = ScratchFolder::ReadBytes(local);
    if (!commonText || !localText) return Fail("OK did not write both preferences files");
    if (*commonText != *localText || commonText->rfind("vtl_prefs = {", 0) != 0)
        return Fail("the two preferences files differ or are not preferences");
    std::printf("sheet shown from %ls; OK wrote\n%ls\n%ls\n", dll.c_str(), common.c_str(), local.c_str());
    return 0;
}
