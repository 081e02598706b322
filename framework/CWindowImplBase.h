#pragma once
#include "framework/CWindowBase.h"

// A window object that runs a window through its message map: either a
// window it created itself (through a class registered with CWinModule) or
// an existing window it subclasses. Unhandled messages go to the window's
// previous procedure. The object must outlive its window or detach first.
class CWindowImplBase : public CWindowBase {
public:
    ~CWindowImplBase() override;

    // Takes over an existing window; false if this object already runs one.
    BOOL SubclassWindow(HWND hWnd);
    // Gives the window back to its own procedure; returns it.
    HWND UnsubclassWindow();

    BOOL DestroyWindow();

    // Default handling of a message: the window's previous procedure.
    LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);

    // Called after the window's last message (WM_NCDESTROY), once the
    // object handles no message any more (so not inside a handler that
    // destroyed the window): it may delete the object.
    virtual void OnFinalMessage(HWND hWnd);

protected:
    // A new window of the class, run by this object; null, with no window
    // left behind, if it cannot be created or taken over.
    HWND CreateWindowOfClass(ATOM atom, HWND hWndParent, const RECT& rect, LPCWSTR name,
                             DWORD style, DWORD exStyle, HMENU hMenuOrId);

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR idSubclass, DWORD_PTR refData);
    LRESULT Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    UINT_PTR SubclassId() const;

    int m_nesting = 0;  // messages of this object being handled, one inside another
    bool m_destroyed = false;  // its window went while a message was handled
};
