#pragma once
#include <windows.h>
#include <docobj.h>

#include "framework/CComReference.h"
#include "framework/CUniqueHandle.h"
#include "framework/CWindowImpl.h"
#include "host/CToolbarEntry.h"

// The stand-in browser's top-level window: a toolbar button and a Tools
// menu entry, both of which run the command object's Exec. It gives the
// command object its site when the window is created and takes it back
// when the window goes.
class CHostWindow : public CWindowImpl<CHostWindow> {
public:
    DECLARE_WND_CLASS_EX(L"VTLHostWindow", CS_HREDRAW | CS_VREDRAW, COLOR_APPWORKSPACE)

    enum { IDC_TOOLBAR_BUTTON = 100, ID_TOOLS_ENTRY = 200 };

    // How the site behaves and what happens around a press.
    struct Switches {
        bool exitAfterPress = false;  // close once Exec has returned
        bool noSite = false;          // never give the command object a site
        bool noBrowser = false;       // the site offers no browser
        bool failHwnd = false;        // the browser cannot give its window
    };

    CHostWindow(const CToolbarEntry& entry, const Switches& switches,
                IOleCommandTarget* pCommand);

    // Presses the toolbar button as a user would (posted: runs in the message loop).
    void PressButtonLater();

    BEGIN_MSG_MAP(CHostWindow)
        MESSAGE_HANDLER(WM_CREATE, OnCreate)
        COMMAND_HANDLER(IDC_TOOLBAR_BUTTON, BN_CLICKED, OnPress)
        COMMAND_HANDLER(ID_TOOLS_ENTRY, 0, OnPress)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

private:
    LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnPress(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    void CreateToolbarButton();
    void CreateToolsMenu();
    void GiveSite();
    void TakeSiteBack();

    const CToolbarEntry& m_entry;
    Switches m_switches;
    CComReference<IOleCommandTarget> m_command;
    HWND m_hButton = nullptr;
    CIconHandle m_icon;
    HRESULT m_lastExecResult = S_OK;
};
