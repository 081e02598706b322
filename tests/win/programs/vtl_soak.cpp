// Opens and closes the options sheet many times in one process, through one
// command object made by the DLL's class factory and given a browser site,
// as the browser does, and checks what the runs leave behind: the process's
// windows, GDI and USER objects and handles back where they were after the
// first runs, the DLL ready to unload once the object is released, and both
// preferences files complete and identical.
//
//   vtl_soak.exe DLL FOLDER [RUNS] [/wait]
//
// FOLDER receives the preferences files. Every ten runs it prints
// "checkpoint RUN windows=N gdi=N user=N handles=N heap=N" (-1: not counted)
// and, with /wait, waits up to ten seconds for a file FOLDER\ack-RUN, so
// that a script outside can read the process's memory at that point.
// Exit code 0: every check passed; 1: a check failed; 2: it could not start.
#include <windows.h>
#include <docobj.h>
#include <objbase.h>
#include <ocidl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "host/CHostBrowser.h"
#include "host/CHostSite.h"
#include "module/BrackwynVTL.h"
#include "soak/ProcessCensus.h"
#include "soak/SoakFiles.h"
#include "soak/SoakSheetRun.h"

namespace {

const int kCheckpointEvery = 10;
// The figures after this run are the ones to come back to: the first runs
// fill caches (the system's and the heap's) that then stay as they are.
const int kBaselineRun = 10;

struct Arguments {
    std::wstring dll;
    std::wstring folder;
    int runs = 200;
    bool wait = false;
};

bool ParseArguments(Arguments& args) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    bool ok = argv != nullptr && argc >= 3;
    for (int i = 1; ok && i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (i == 1)
            args.dll = arg;
        else if (i == 2)
            args.folder = arg;
        else if (arg == L"/wait")
            args.wait = true;
        else
            ok = (args.runs = _wtoi(arg.c_str())) >= kBaselineRun + kCheckpointEvery;
    }
    ::LocalFree(argv);
    return ok;
}

void Say(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

// Lets the script outside read the process before it goes on.
void WaitForAck(const Arguments& args, int run) {
    if (!args.wait) return;
    const std::wstring ack = args.folder + L"\\ack-" + std::to_wstring(run);
    for (int i = 0; i < 1000 && ::GetFileAttributesW(ack.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(10);
}

template <class F>
F Export(HMODULE hDll, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(hDll, name)));
}

// The command object as the browser makes it: through the DLL's class
// factory, then given a site whose browser is the window.
IOleCommandTarget* CreateCommand(HMODULE hDll, HWND hWndBrowser) {
    auto getClassObject =
        Export<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(hDll, "DllGetClassObject");
    IClassFactory* pFactory = nullptr;
    if (getClassObject == nullptr || FAILED(getClassObject(CLSID_Options, IID_IClassFactory,
                                                           reinterpret_cast<void**>(&pFactory))))
        return nullptr;
    IOleCommandTarget* pCommand = nullptr;
    pFactory->CreateInstance(nullptr, IID_IOleCommandTarget, reinterpret_cast<void**>(&pCommand));
    pFactory->Release();
    IObjectWithSite* pWithSite = nullptr;
    if (pCommand != nullptr && SUCCEEDED(pCommand->QueryInterface(
                                   IID_IObjectWithSite, reinterpret_cast<void**>(&pWithSite)))) {
        CHostBrowser* pBrowser = new CHostBrowser(hWndBrowser, false);
        CHostSite* pSite = new CHostSite(pBrowser);
        pWithSite->SetSite(pSite);
        pSite->Release();
        pBrowser->Release();
        pWithSite->Release();
    }
    return pCommand;
}

// As the browser lets the object go: the site taken back, then the last
// reference. The DLL may unload only then.
std::string ReleaseCommand(HMODULE hDll, IOleCommandTarget* pCommand) {
    auto canUnloadNow = Export<HRESULT(STDAPICALLTYPE*)()>(hDll, "DllCanUnloadNow");
    IObjectWithSite* pWithSite = nullptr;
    if (SUCCEEDED(
            pCommand->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&pWithSite)))) {
        pWithSite->SetSite(nullptr);
        pWithSite->Release();
    }
    std::string problems;
    if (canUnloadNow() != S_FALSE)
        problems += "DllCanUnloadNow did not answer S_FALSE while the object lived\n";
    pCommand->Release();
    const HRESULT hr = canUnloadNow();
    Say(std::string("DllCanUnloadNow after the last release: ") +
        (hr == S_OK ? "S_OK" : "S_FALSE") + "\n");
    if (hr != S_OK) problems += "DllCanUnloadNow did not answer S_OK after the last release\n";
    return problems;
}

// The names of the DLL's window classes that are registered now (the
// editors' classes only once an editor of the kind was opened).
std::string RegisteredClasses(HMODULE hDll) {
    std::string names;
    for (LPCWSTR name :
         {L"HdrsList", L"TitleTip", L"DropArrows", L"ListEdit", L"ListCombo", L"ListDate"}) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        if (!::GetClassInfoExW(hDll, name, &wc)) continue;
        for (LPCWSTR p = name; *p != L'\0'; ++p) names.push_back(static_cast<char>(*p));
        names += ' ';
    }
    return names;
}

// Unloads the DLL as the system does once DllCanUnloadNow allows it: it
// goes, and its window classes with it.
std::string Unload(HMODULE hDll, const std::wstring& path) {
    std::string problems;
    if (RegisteredClasses(hDll).find("HdrsList") == std::string::npos)
        problems += "the headers list's window class was never registered\n";
    ::FreeLibrary(hDll);
    HMODULE hStill = nullptr;
    if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, path.c_str(), &hStill))
        problems += "the DLL stayed loaded after its last FreeLibrary\n";
    const std::string left = RegisteredClasses(hDll);
    if (!left.empty()) problems += "window classes outlived the DLL: " + left + "\n";
    return problems;
}

std::string Soak(const Arguments& args, HMODULE hDll, HWND hWndBrowser) {
    IOleCommandTarget* pCommand = CreateCommand(hDll, hWndBrowser);
    if (pCommand == nullptr) return "no command object from the class factory\n";
    std::string problems;
    ProcessCensus baseline;
    ProcessCensus last;
    int lastOkRun = 0;
    for (int run = 1; run <= args.runs; ++run) {
        problems += SoakSheetRun::Play(pCommand, run);
        if (SoakSheetRun::EndsWithOk(run)) {
            lastOkRun = run;
            problems += SoakFiles::CheckValues(run);
        }
        if (run % kCheckpointEvery != 0) continue;
        last = ProcessCensus::Take();
        if (run == kBaselineRun) baseline = last;
        Say("checkpoint " + std::to_string(run) + " " + last.Figures() + "\n");
        WaitForAck(args, run);
    }
    const std::string changes = last.ChangesSince(baseline);
    if (!changes.empty())
        problems += "after run " + std::to_string(args.runs) +
                    " the process holds more than after run " + std::to_string(kBaselineRun) +
                    ":\n" + changes;
    problems += ReleaseCommand(hDll, pCommand);
    problems += SoakFiles::CheckBoth(lastOkRun);
    return problems;
}

}  // namespace

int wmain() {
    Arguments args;
    if (!ParseArguments(args)) {
        Say("usage: vtl_soak DLL FOLDER [RUNS of at least 20] [/wait]\n");
        return 2;
    }
    if (FAILED(::OleInitialize(nullptr)) || !SoakFiles::PlaceUnder(args.folder)) {
        Say("soak: cannot set up COM or the preferences folders\n");
        return 2;
    }
    HMODULE hDll = ::LoadLibraryW(args.dll.c_str());
    HWND hWndBrowser =
        ::CreateWindowExW(0, L"STATIC", L"VTL soak browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                          40, 800, 560, nullptr, nullptr, nullptr, nullptr);
    if (hDll == nullptr || hWndBrowser == nullptr) {
        Say("soak: cannot load the DLL or make the browser window\n");
        return 2;
    }
    // Said before the first census: the output's buffer is made by the first line.
    Say("soak: " + std::to_string(args.runs) + " runs\n");
    const ULONGLONG start = ::GetTickCount64();
    std::string problems = Soak(args, hDll, hWndBrowser);
    ::DestroyWindow(hWndBrowser);
    problems += Unload(hDll, args.dll);
    ::OleUninitialize();
    Say(std::to_string(args.runs) + " runs in " +
        std::to_string((::GetTickCount64() - start) / 1000) + " s\n");
    Say(problems.empty() ? "soak: every check passed\n" : "soak: FAILED\n" + problems);
    return problems.empty() ? 0 : 1;
}
