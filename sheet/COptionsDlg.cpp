#include "sheet/COptionsDlg.h"

#include "policy/PolicyOverlay.h"
#include "policy/PolicyReader.h"
#include "policy/RegistryPolicySource.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PrefsFile.h"
#include "sheet/SheetWindowMark.h"

COptionsDlg::COptionsDlg(LPCWSTR title, UINT startPage, HWND hWndParent)
    : CPropertySheetImpl<COptionsDlg>(title, startPage, hWndParent) {
    m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
    m_policies = PolicyReader::Read(RegistryPolicySource());
    AddDefaultPreferences(m_preferences);
    PolicyOverlay::BeforeFile(m_policies.Recommended, m_preferences);
    LoadPreferences();
    PolicyOverlay::AfterFile(m_policies, m_preferences);
    m_tab1.Link(&m_preferences, &m_tab2, &m_policies.Mandatory);
    m_tab2.Link(&m_preferences, &m_policies.Mandatory);
    AddPage(m_tab1.PageDescription());
    AddPage(m_tab2.PageDescription());
    AddPage(m_tab3.PageDescription());
}

void COptionsDlg::LoadPreferences() { m_loaded = PrefsFile::FromEnvironment().Load(m_preferences); }

bool COptionsDlg::SavePreferences() { return PrefsFile::FromEnvironment().Save(m_preferences); }

// Centres the sheet the first time it is shown; later showings keep the
// place the user gave it.
LRESULT COptionsDlg::OnShowWindow(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    if (wParam == 0 || m_centred) {
        bHandled = FALSE;
        return 0;
    }
    m_centred = true;
    CenterOverParent();
    SheetWindowMark::Set(m_hWnd);
    return 0;
}

LRESULT COptionsDlg::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    SheetWindowMark::Clear(m_hWnd);
    bHandled = FALSE;
    return 0;
}

// A local copy that could not be read still holds what the user saved,
// and the sheet shows the defaults instead: OK would replace the one with
// the other, so the user is asked first.
LRESULT COptionsDlg::OnOk(WORD, WORD, HWND, BOOL& bHandled) {
    bHandled = LocalCopyUnread() && !ConfirmReplacingUnreadCopy();
    return 0;
}

bool COptionsDlg::ConfirmReplacingUnreadCopy() {
    const wchar_t question[] =
        L"Your saved VTL options could not be read, so this sheet shows the defaults. Saving now will "
        L"replace them with what the sheet shows.\n\nSave anyway? Choose No to go back to the sheet "
        L"without saving.";
    return ::MessageBoxW(m_hWnd, question, L"VTL Options", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// Over the parent window while it is visible and not minimised, otherwise
// over the work area; then kept inside the work area, its left and top edges
// winning when it is larger.
void COptionsDlg::CenterOverParent() {
    HWND hParent = GetParentWindow();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(hParent != nullptr ? hParent : m_hWnd,
                                          MONITOR_DEFAULTTONEAREST),
                      &monitor);
    const RECT work = monitor.rcWork;

    RECT centre = work;
    if (hParent != nullptr && ::IsWindowVisible(hParent) && !::IsIconic(hParent))
        ::GetWindowRect(hParent, &centre);

    RECT sheet{};
    ::GetWindowRect(m_hWnd, &sheet);
    const int width = sheet.right - sheet.left;
    const int height = sheet.bottom - sheet.top;
    int x = (centre.left + centre.right - width) / 2;
    int y = (centre.top + centre.bottom - height) / 2;
    if (x + width > work.right) x = work.right - width;
    if (x < work.left) x = work.left;
    if (y + height > work.bottom) y = work.bottom - height;
    if (y < work.top) y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
