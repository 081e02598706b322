#include "support/SheetDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

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
    const LPARAM point = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageW(hTab, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(hTab, WM_LBUTTONUP, 0, point);
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
