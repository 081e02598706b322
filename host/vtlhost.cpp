// The stand-in browser: shows the toolbar button and menu entry that
// registration wrote and runs the command object behind them.
//
//   vtlhost.exe [/press] [/exit] [/nosite] [/nobrowser] [/nohwnd]
//
// /press      presses the button once the window is up
// /exit       closes the browser once that press (or any) has returned;
//             the exit code is then Exec's result
// /nosite     never gives the command object a site
// /nobrowser  the site offers no browser
// /nohwnd     the browser cannot give its window
// Errors end the program with a message (on stderr with /press) and exit code 2.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "host/CHostWindow.h"
#include "host/CToolbarEntry.h"

namespace {

struct CommandLine {
    CHostWindow::Switches switches;
    bool press = false;
    bool ok = true;
};

CommandLine ParseCommandLine() {
    CommandLine line;
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    for (int i = 1; argv != nullptr && i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto is = [&arg](LPCWSTR name) {
            return arg.size() > 1 && (arg[0] == L'/' || arg[0] == L'-') &&
                   ::CompareStringOrdinal(arg.c_str() + 1, -1, name, -1, TRUE) == CSTR_EQUAL;
        };
        if (is(L"press")) line.press = true;
        else if (is(L"exit")) line.switches.exitAfterPress = true;
        else if (is(L"nosite")) line.switches.noSite = true;
        else if (is(L"nobrowser")) line.switches.noBrowser = true;
        else if (is(L"nohwnd")) line.switches.failHwnd = true;
        else line.ok = false;
    }
    ::LocalFree(argv);
    return line;
}

int Fail(const CommandLine& line, LPCWSTR text) {
    if (line.press)
        std::fwprintf(stderr, L"vtlhost: %ls\n", text);
    else
        ::MessageBoxW(nullptr, text, L"VTL test browser", MB_OK | MB_ICONERROR);
    return 2;
}

int RunMessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int Run(const CommandLine& line) {
    CToolbarEntry entry;
    if (!CToolbarEntry::FindFirst(entry))
        return Fail(line, L"No toolbar button is registered: register BrackwynVTL.dll first.");
    IOleCommandTarget* pCommand = nullptr;
    if (FAILED(::CoCreateInstance(entry.ClsidExtension, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IOleCommandTarget, reinterpret_cast<void**>(&pCommand))))
        return Fail(line, L"The toolbar button's command object cannot be created.");
    int exitCode = 2;
    {
        CHostWindow window(entry, line.switches, pCommand);
        RECT rect{0, 0, 800, 560};
        ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, TRUE, 0);
        const RECT placed{60, 60, 60 + rect.right - rect.left, 60 + rect.bottom - rect.top};
        if (window.Create(nullptr, placed, L"VTL test browser", WS_OVERLAPPEDWINDOW) != nullptr) {
            ::ShowWindow(window.m_hWnd, SW_SHOWNORMAL);
            ::UpdateWindow(window.m_hWnd);
            if (line.press) window.PressButtonLater();
            exitCode = RunMessageLoop();
        }
    }
    pCommand->Release();
    return exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const CommandLine line = ParseCommandLine();
    if (!line.ok)
        return Fail(line, L"usage: vtlhost [/press] [/exit] [/nosite] [/nobrowser] [/nohwnd]");
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    const int exitCode = Run(line);
    ::CoUninitialize();
    return exitCode;
}
