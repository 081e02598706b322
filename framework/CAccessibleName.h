#pragma once
#include <windows.h>

#include <string>

#include "framework/CAccessibleHolder.h"
#include "framework/CWindowImplBase.h"

// Gives an existing control the name a screen reader speaks for it, whatever
// the system would have found (a dialog's edit fields are otherwise named
// after the nearest static text before them in the template, combo boxes
// after their current text). Everything else about the control stays as
// the system presents it. Lives as long as its owner; a control that is
// destroyed is let go, and the object may take on the next one.
class CAccessibleName : public CWindowImplBase {
public:
    // The name for the control attached now or next; empty: the system's.
    void SetName(const std::wstring& name) { m_name = name; }
    const std::wstring& Name() const { return m_name; }
    // Its description, the same way.
    void SetDescription(const std::wstring& description) { m_description = description; }
    // Takes over the control, which is then spoken by the name set; false
    // when it cannot.
    bool Attach(HWND hWnd);

    BEGIN_MSG_MAP(CAccessibleName)
        MESSAGE_HANDLER(WM_GETOBJECT, OnGetObject)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

private:
    LRESULT OnGetObject(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    std::wstring m_name;
    std::wstring m_description;
    // Declared after the texts it reads, so that it is disconnected first.
    CAccessibleHolder m_accessible;
};
