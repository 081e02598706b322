#include "host/CHostWindow.h"

#include <ocidl.h>

#include "host/CHostBrowser.h"
#include "host/CHostSite.h"

CHostWindow::CHostWindow(const CToolbarEntry& entry, const Switches& switches,
                         IOleCommandTarget* pCommand)
    : m_entry(entry), m_switches(switches) {
    pCommand->AddRef();
    m_command.Reset(pCommand);
}

void CHostWindow::PressButtonLater() { ::PostMessageW(m_hButton, BM_CLICK, 0, 0); }

LRESULT CHostWindow::OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
    CreateToolbarButton();
    CreateToolsMenu();
    if (!m_switches.noSite) GiveSite();
    return 0;
}

void CHostWindow::CreateToolbarButton() {
    m_hButton = ::CreateWindowExW(0, L"BUTTON", m_entry.ButtonText.c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 8, 8, 140, 30,
                                  m_hWnd, reinterpret_cast<HMENU>(IDC_TOOLBAR_BUTTON),
                                  ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(m_hButton, WM_SETFONT,
                   reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    m_icon.Reset(m_entry.LoadIcon());
    if (m_icon)
        ::SendMessageW(m_hButton, BM_SETIMAGE, IMAGE_ICON,
                       reinterpret_cast<LPARAM>(m_icon.Get()));
}

void CHostWindow::CreateToolsMenu() {
    // The menu belongs to the window from here on and goes with it.
    HMENU hTools = ::CreatePopupMenu();
    ::AppendMenuW(hTools, MF_STRING, ID_TOOLS_ENTRY, m_entry.MenuText.c_str());
    HMENU hBar = ::CreateMenu();
    ::AppendMenuW(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hTools), L"&Tools");
    ::SetMenu(m_hWnd, hBar);
}

void CHostWindow::GiveSite() {
    IObjectWithSite* pWithSite = nullptr;
    if (FAILED(m_command.Get()->QueryInterface(IID_IObjectWithSite,
                                          reinterpret_cast<void**>(&pWithSite))))
        return;
    CHostBrowser* pBrowser =
        m_switches.noBrowser ? nullptr : new CHostBrowser(m_hWnd, m_switches.failHwnd);
    CHostSite* pSite = new CHostSite(pBrowser);
    pWithSite->SetSite(pSite);
    pSite->Release();
    if (pBrowser != nullptr) pBrowser->Release();
    pWithSite->Release();
}

void CHostWindow::TakeSiteBack() {
    IObjectWithSite* pWithSite = nullptr;
    if (FAILED(m_command.Get()->QueryInterface(IID_IObjectWithSite,
                                          reinterpret_cast<void**>(&pWithSite))))
        return;
    pWithSite->SetSite(nullptr);
    pWithSite->Release();
}

LRESULT CHostWindow::OnPress(WORD, WORD, HWND, BOOL&) {
    m_lastExecResult =
        m_command.Get()->Exec(nullptr, 0, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
    if (m_switches.exitAfterPress) DestroyWindow();
    return 0;
}

LRESULT CHostWindow::OnDestroy(UINT, WPARAM, LPARAM, BOOL&) {
    TakeSiteBack();
    // The host's exit code is the result of the last Exec.
    ::PostQuitMessage(static_cast<int>(m_lastExecResult));
    return 0;
}
