#pragma once
#include <windows.h>
#include <prsht.h>

#include "framework/CWindowBase.h"

// A property page run by a window object: the page's dialog procedure
// dispatches to the object's message map; unhandled messages get the dialog
// manager's default handling. Property-sheet notifications that the page
// does not handle get the default answers (activation accepted, no error on
// apply, deactivation and cancel allowed).
class CPropertyPageBase : public CWindowBase {
public:
    explicit CPropertyPageBase(UINT idTemplate);

    // The page description handed to CreatePropertySheetPage.
    PROPSHEETPAGEW& PageDescription() { return m_psp; }
    HPROPSHEETPAGE Create();

    BEGIN_MSG_MAP(CPropertyPageBase)
        MESSAGE_HANDLER(WM_NOTIFY, OnNotify)
    END_MSG_MAP()

protected:
    LRESULT OnNotify(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    // True for a notification sent by the sheet or by the page itself (the
    // PSN_ codes), false for one of a child control's.
    bool IsSheetNotification(const NMHDR* pnmh) const;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static bool ReturnsResultDirectly(UINT uMsg);

    PROPSHEETPAGEW m_psp;
};

template <class T>
class CPropertyPageImpl : public CPropertyPageBase {
public:
    CPropertyPageImpl() : CPropertyPageBase(T::IDD) {}
};
