#include "support/SheetDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "sheet/COptionsDlg.h"
#include "support/PrefsSandbox.h"

namespace {

struct PendingRun {
    CPropertySheetBase* pDlg;
    const SheetDriver::Script* pScript;
    UINT_PTR timer;
    int ticks;
};

thread_local PendingRun* t_pRun = nullptr;

// A pointer event at a screen point, in the absolute units SendInput takes.
INPUT MouseInput(POINT screen, DWORD button) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | button;
    return input;
}

INPUT KeyInput(WORD virtualKey, wchar_t unit, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = unit;
    input.ki.dwFlags = flags;
    return input;
}

}  // namespace

INT_PTR SheetDriver::Run(CPropertySheetBase& dlg, const Script& script) {
    PendingRun run{&dlg, &script, 0, 0};
    t_pRun = &run;
    run.timer = ::SetTimer(nullptr, 0, 30, OnTimer);
    const INT_PTR result = dlg.DoModal();
    if (t_pRun != nullptr) {
        ::KillTimer(nullptr, run.timer);
        t_pRun = nullptr;
        ADD_FAILURE() << "the sheet ended before the script ran (result " << result << ")";
    }
    return result;
}

INT_PTR SheetDriver::RunAndSaveOnOk(COptionsDlg& dlg, const Script& script) {
    const INT_PTR result = Run(dlg, script);
    if (result == 1) dlg.SavePreferences();
    return result;
}

PreferenceSet SheetDriver::RunOnLocalFile(const PrefsSandbox& sandbox, const std::string& pairs,
                                          const Script& script) {
    if (!pairs.empty()) {
        EXPECT_TRUE(sandbox.WriteLocal("vtl_prefs = {\n" + pairs + "};\n"));
    }
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    RunAndSaveOnOk(dlg, script);
    return sandbox.LoadLocal();
}

void CALLBACK SheetDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    PendingRun* pRun = t_pRun;
    if (pRun == nullptr) return;
    HWND hSheet = pRun->pDlg->m_hWnd;
    if (hSheet == nullptr || !::IsWindowVisible(hSheet)) {
        if (++pRun->ticks < 200) return;  // about six seconds for the sheet to show
        ::KillTimer(nullptr, pRun->timer);
        t_pRun = nullptr;
        ADD_FAILURE() << "the sheet never showed";
        return;
    }
    ::KillTimer(nullptr, pRun->timer);
    t_pRun = nullptr;
    SheetDriver driver(hSheet);
    (*pRun->pScript)(driver);
    if (!driver.m_closePressed) {
        ADD_FAILURE() << "the script left the sheet open";
        driver.PressCancel();
    }
}

HWND SheetDriver::PageWindow(int page) const {
    return reinterpret_cast<HWND>(::SendMessageW(m_hSheet, PSM_INDEXTOHWND, page, 0));
}

int SheetDriver::CurrentPage() const {
    HWND hPage = reinterpret_cast<HWND>(::SendMessageW(m_hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return static_cast<int>(
        ::SendMessageW(m_hSheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(hPage), 0));
}

void SheetDriver::SelectPage(int page) { ::SendMessageW(m_hSheet, PSM_SETCURSEL, page, 0); }

void SheetDriver::ClickTab(int page) {
    HWND hTab = reinterpret_cast<HWND>(::SendMessageW(m_hSheet, PSM_GETTABCONTROL, 0, 0));
    RECT rc{};
    ::SendMessageW(hTab, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&rc));
    ClickAt(hTab, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

HWND SheetDriver::Control(int page, int id) const { return ::GetDlgItem(PageWindow(page), id); }

void SheetDriver::Choose(int page, int comboId, int position) {
    HWND hCombo = Control(page, comboId);
    ::SendMessageW(hCombo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    ::SendMessageW(PageWindow(page), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(hCombo));
}

void SheetDriver::Click(int page, int id) { ::SendMessageW(Control(page, id), BM_CLICK, 0, 0); }

void SheetDriver::Type(int page, int id, const std::wstring& text) {
    ::SendMessageW(Control(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring SheetDriver::Text(int page, int id) const {
    HWND hControl = Control(page, id);
    const int length = ::GetWindowTextLengthW(hControl);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(hControl, buffer.data(), length + 1);
    return std::wstring(buffer.data());
}

bool SheetDriver::Enabled(int page, int id) const {
    return ::IsWindowEnabled(Control(page, id)) != FALSE;
}

bool SheetDriver::Checked(int page, int id) const {
    return ::SendMessageW(Control(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int SheetDriver::Selection(int page, int comboId) const {
    return static_cast<int>(::SendMessageW(Control(page, comboId), CB_GETCURSEL, 0, 0));
}

int SheetDriver::ItemCount(int page, int comboId) const {
    return static_cast<int>(::SendMessageW(Control(page, comboId), CB_GETCOUNT, 0, 0));
}

std::wstring SheetDriver::ItemText(int page, int comboId, int position) const {
    HWND hCombo = Control(page, comboId);
    const LRESULT length = ::SendMessageW(hCombo, CB_GETLBTEXTLEN, position, 0);
    if (length == CB_ERR) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(hCombo, CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data());
}

void SheetDriver::PressOk() {
    m_closePressed = true;
    ::SendMessageW(::GetDlgItem(m_hSheet, IDOK), BM_CLICK, 0, 0);
}

void SheetDriver::PressCancel() {
    m_closePressed = true;
    ::SendMessageW(::GetDlgItem(m_hSheet, IDCANCEL), BM_CLICK, 0, 0);
}

void SheetDriver::PressCloseBox() {
    m_closePressed = true;
    ::SendMessageW(m_hSheet, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SheetDriver::ClickAt(HWND window, POINT client) {
    POINT screen = client;
    ::ClientToScreen(window, &screen);
    Deliver({MouseInput(screen, 0), MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
             MouseInput(screen, MOUSEEVENTF_LEFTUP)});
}

void SheetDriver::PointAt(HWND window, POINT client) {
    POINT screen = client;
    ::ClientToScreen(window, &screen);
    Deliver({MouseInput(screen, 0)});
}

void SheetDriver::PressKey(WORD virtualKey, bool shift) {
    std::vector<INPUT> inputs{KeyInput(virtualKey, 0, 0), KeyInput(virtualKey, 0, KEYEVENTF_KEYUP)};
    if (shift) {
        inputs.insert(inputs.begin(), KeyInput(VK_SHIFT, 0, 0));
        inputs.push_back(KeyInput(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    }
    Deliver(std::move(inputs));
}

// As an input method types: each unit arrives as VK_PACKET and becomes WM_CHAR.
void SheetDriver::TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t unit : text) {
        inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE));
        inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    Deliver(std::move(inputs));
}

// The script runs inside the sheet's modal loop, which waits meanwhile, so
// the input is handled here as that loop handles it, until the thread has
// had nothing to do for a moment (or two seconds at most).
void SheetDriver::Deliver(std::vector<INPUT> inputs) {
    const UINT count = static_cast<UINT>(inputs.size());
    EXPECT_EQ(::SendInput(count, inputs.data(), sizeof(INPUT)), count);
    const DWORD start = ::GetTickCount();
    DWORD lastMessage = start;
    while (::GetTickCount() - lastMessage < 60 && ::GetTickCount() - start < 2000) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::Sleep(5);
            continue;
        }
        lastMessage = ::GetTickCount();
        if (!PropSheet_IsDialogMessage(m_hSheet, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}
