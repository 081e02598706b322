#pragma once
#include "framework/CWindowImplBase.h"

// A window inside another window object's window (the edit field of a combo
// box): subclassed, with its messages going to an alternate message map of
// the owning object; what that map leaves goes to the window's own
// procedure. Handlers in that map must not use the owner's DefWindowProc.
class CContainedWindow : public CWindowImplBase {
public:
    CContainedWindow(CMessageMap* owner, DWORD msgMapId) : m_owner(owner), m_msgMapId(msgMapId) {}

    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                              LRESULT& lResult, DWORD) override {
        return m_owner->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, m_msgMapId);
    }

private:
    CMessageMap* m_owner;
    DWORD m_msgMapId;
};
