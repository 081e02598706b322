#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <optional>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/ComponentFiles.h"
#include "support/DialogAnswerer.h"
#include "support/ProcessWindows.h"
#include "support/ScratchFolder.h"

namespace {

const DWORD kWait = 30000;
const int kToolsEntry = 200;
const int kApplyButton = 0x3021;

// One run of the stand-in browser with preference folders of its own.
class HostRun {
public:
    explicit HostRun(const std::wstring& switches) : m_folder(L"host") {
        m_allUsers = m_folder.MakeFolder(L"all users");
        m_localAppData = m_folder.MakeFolder(L"local");
        std::wstring withoutColons;
        for (wchar_t c : m_allUsers)
            if (c != L':') withoutColons += c;
        m_localFolder = m_localAppData + L"\\Temporary Internet Files\\Virtualized\\" +
                        withoutColons + L"\\Brackwyn Software\\VTL";
        m_commonFolder = m_allUsers + L"\\Brackwyn Software\\VTL";
        m_switches = switches;
    }

    bool Start() {
        return m_process.Start(
            ComponentFiles::Quoted(ComponentFiles::ProgramPath(L"vtlhost.exe")) + L" " + m_switches,
            {{L"ALLUSERSPROFILE", m_allUsers}, {L"LOCALAPPDATA", m_localAppData}});
    }

    // Puts a local copy of the preferences file in place before the start.
    bool WriteLocalCopy(const std::string& text) {
        ScratchFolder::DeleteTree(m_localFolder);
        m_folder.MakeFolder(m_localFolder.substr(m_folder.Path().size() + 1));
        return ScratchFolder::WriteBytes(LocalCopy(), text);
    }

    HWND WaitForSheet() { return ProcessWindows::WaitForTopLevel(Id(), L"VTL Options", nullptr, kWait); }
    HWND HostWindow() { return ProcessWindows::FindTopLevel(Id(), nullptr, L"VTLHostWindow"); }

    // Waits for the browser to close after the press; its exit code is Exec's result.
    DWORD ExitCode() { return m_process.Wait(kWait) ? m_process.ExitCode() : ~0u; }

    DWORD Id() const { return m_process.Id(); }
    std::wstring LocalCopy() const { return m_localFolder + L"\\vtl_prefs.js"; }
    std::wstring CommonCopy() const { return m_commonFolder + L"\\vtl_prefs.js"; }
    const std::string& Output() const { return m_process.Output(); }

private:
    ScratchFolder m_folder;
    std::wstring m_allUsers, m_localAppData, m_localFolder, m_commonFolder, m_switches;
    ChildProcess m_process;
};

class Host : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(ComponentFiles::Regsvr32(true), 0u); }
    static void TearDownTestSuite() { ComponentFiles::Regsvr32(false); }
};

TEST_F(Host, ButtonShowsTheSheetCentredWithThreeTabsAndOkWritesBothCopies) {
    HostRun run(L"/press /exit");
    const std::string loaded = "vtl_prefs = {\r\n  viewertype: \"builtin\",\r\n  hostcheck: \"as loaded\"};\r\n";
    ASSERT_TRUE(run.WriteLocalCopy(loaded));
    ASSERT_TRUE(run.Start());
    HWND hSheet = run.WaitForSheet();
    ASSERT_NE(hSheet, nullptr) << run.Output();

    RECT sheet{}, host{};
    ::GetWindowRect(hSheet, &sheet);
    ::GetWindowRect(run.HostWindow(), &host);
    EXPECT_NEAR((sheet.left + sheet.right) / 2, (host.left + host.right) / 2, 1);
    EXPECT_NEAR((sheet.top + sheet.bottom) / 2, (host.top + host.bottom) / 2, 1);
    EXPECT_FALSE(::IsWindowEnabled(run.HostWindow()));  // modal over the browser

    HWND hTab = reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
    EXPECT_EQ(ProcessWindows::TabTexts(hTab),
              (std::vector<std::wstring>{L"Viewers", L"RDF Data Access", L"About"}));
    EXPECT_EQ(::SendMessageW(hTab, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_NE(ProcessWindows::VisibleChild(hSheet, IDOK), nullptr);
    EXPECT_NE(ProcessWindows::VisibleChild(hSheet, IDCANCEL), nullptr);
    EXPECT_EQ(ProcessWindows::VisibleChild(hSheet, kApplyButton), nullptr);
    EXPECT_EQ(ProcessWindows::VisibleChild(hSheet, IDHELP), nullptr);

    ProcessWindows::PressButton(hSheet, IDOK);
    EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(S_OK));
    const std::optional<std::string> local = ScratchFolder::ReadBytes(run.LocalCopy());
    const std::optional<std::string> common = ScratchFolder::ReadBytes(run.CommonCopy());
    ASSERT_TRUE(local && common);
    EXPECT_EQ(*local, *common);
    EXPECT_EQ(local->rfind("vtl_prefs = {\r\n", 0), 0u) << *local;
    EXPECT_NE(local->find("  hostcheck: \"as loaded\""), std::string::npos) << *local;
    EXPECT_NE(local->find("  viewertype: \"builtin\""), std::string::npos) << *local;
}

TEST_F(Host, CancelAndTheCloseBoxWriteNothing) {
    for (bool closeBox : {false, true}) {
        HostRun run(L"/press /exit");
        ASSERT_TRUE(run.Start());
        HWND hSheet = run.WaitForSheet();
        ASSERT_NE(hSheet, nullptr) << run.Output();
        if (closeBox)
            ::PostMessageW(hSheet, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            ProcessWindows::PressButton(hSheet, IDCANCEL);
        EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(S_OK));
        EXPECT_FALSE(ScratchFolder::Exists(run.LocalCopy()));
        EXPECT_FALSE(ScratchFolder::Exists(run.CommonCopy()));
    }
}

TEST_F(Host, CancelLeavesAnExistingLocalCopyAsItWas) {
    HostRun run(L"/press /exit");
    const std::string loaded = "vtl_prefs = {\r\n  viewertype: \"custom\"};\r\n";
    ASSERT_TRUE(run.WriteLocalCopy(loaded));
    ASSERT_TRUE(run.Start());
    HWND hSheet = run.WaitForSheet();
    ASSERT_NE(hSheet, nullptr) << run.Output();
    // Leaving the first page stores its values into the set; Cancel drops them.
    ::SendMessageW(hSheet, PSM_SETCURSEL, 2, 0);
    ProcessWindows::PressButton(hSheet, IDCANCEL);
    EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(S_OK));
    const std::optional<std::string> local = ScratchFolder::ReadBytes(run.LocalCopy());
    ASSERT_TRUE(local);
    EXPECT_EQ(*local, loaded);
    EXPECT_FALSE(ScratchFolder::Exists(run.CommonCopy()));
}

TEST_F(Host, MenuEntryShowsTheSheetToo) {
    HostRun run(L"/exit");
    ASSERT_TRUE(run.Start());
    HWND hHost = ProcessWindows::WaitForTopLevel(run.Id(), L"VTL test browser", nullptr, kWait);
    ASSERT_NE(hHost, nullptr) << run.Output();
    ::PostMessageW(hHost, WM_COMMAND, MAKEWPARAM(kToolsEntry, 0), 0);
    HWND hSheet = run.WaitForSheet();
    ASSERT_NE(hSheet, nullptr);
    ProcessWindows::PressButton(hSheet, IDCANCEL);
    EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(S_OK));
}

// The visible "VTL Options" sheets of every process in the session.
BOOL CALLBACK CountSheet(HWND hWnd, LPARAM lParam) {
    wchar_t name[16] = {};
    ::GetClassNameW(hWnd, name, ARRAYSIZE(name));
    if (::IsWindowVisible(hWnd) && std::wstring(name) == L"#32770" && ProcessWindows::Text(hWnd) == L"VTL Options")
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

int SheetsInSession() {
    int sheets = 0;
    ::EnumWindows(CountSheet, reinterpret_cast<LPARAM>(&sheets));
    return sheets;
}

// A browser that runs its tabs in several processes loads the component in
// each of them: still one sheet shows in the session, a press in another
// process brings it forward, and a process that ends while it shows one
// keeps no later sheet from opening.
TEST_F(Host, OneSheetShowsInTheSessionWhateverProcessPressesTheButton) {
    HostRun first(L"/press /exit");
    ASSERT_TRUE(first.Start());
    HWND hSheet = first.WaitForSheet();
    ASSERT_NE(hSheet, nullptr) << first.Output();
    HWND hElsewhere = ::CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                        100, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(hElsewhere);

    // Exec returns at once, with no sheet of its own to wait for.
    HostRun second(L"/press /exit");
    ASSERT_TRUE(second.Start());
    EXPECT_EQ(second.ExitCode(), static_cast<DWORD>(S_OK)) << second.Output();
    EXPECT_EQ(SheetsInSession(), 1);
    EXPECT_EQ(::GetForegroundWindow(), hSheet);
    ::DestroyWindow(hElsewhere);

    ProcessWindows::PressButton(hSheet, IDOK);
    EXPECT_EQ(first.ExitCode(), static_cast<DWORD>(S_OK));
    EXPECT_TRUE(ScratchFolder::Exists(first.LocalCopy()));
    EXPECT_EQ(ScratchFolder::ReadBytes(first.LocalCopy()), ScratchFolder::ReadBytes(first.CommonCopy()));
    EXPECT_FALSE(ScratchFolder::Exists(second.LocalCopy()));
    EXPECT_FALSE(ScratchFolder::Exists(second.CommonCopy()));

    std::optional<HostRun> ended(std::in_place, L"/press");
    ASSERT_TRUE(ended->Start());
    ASSERT_NE(ended->WaitForSheet(), nullptr) << ended->Output();
    ended.reset();  // the process is ended with its sheet open
    HostRun next(L"/press /exit");
    ASSERT_TRUE(next.Start());
    HWND hNext = next.WaitForSheet();
    ASSERT_NE(hNext, nullptr) << next.Output();
    ProcessWindows::PressButton(hNext, IDCANCEL);
    EXPECT_EQ(next.ExitCode(), static_cast<DWORD>(S_OK));
}

TEST_F(Host, MissingBrowserOrBrowserWindowIsReportedAndExecStillSucceeds) {
    struct Case {
        LPCWSTR switches;
        LPCWSTR message;
    };
    for (const Case& c : {Case{L"/press /exit /nobrowser", L"No Web browser pointer"},
                          Case{L"/press /exit /nosite", L"No Web browser pointer"},
                          Case{L"/press /exit /nohwnd", L"Can't get browser window pointer"}}) {
        HostRun run(c.switches);
        ASSERT_TRUE(run.Start());
        DialogAnswerer answerer(run.Id(), L"Oops", IDOK);
        ASSERT_TRUE(answerer.WaitForAnswer()) << run.Output();
        EXPECT_EQ(answerer.Stop().front().texts, std::vector<std::wstring>{c.message});
        EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(S_OK));
        EXPECT_FALSE(ScratchFolder::Exists(run.LocalCopy()));
    }
}

}  // namespace
