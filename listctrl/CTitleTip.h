#pragma once
#include <windows.h>

#include <string>

#include "framework/CUniqueHandle.h"
#include "framework/CWindowImpl.h"

// The popup that shows the whole text of a cut-off cell over the cell. It
// is created hidden with the list's metrics; the list owns it.
class CTitleTip : public CWindowImpl<CTitleTip> {
public:
    DECLARE_WND_CLASS_EX(L"TitleTip", CS_SAVEBITS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                         COLOR_WINDOW)

    BEGIN_MSG_MAP(CTitleTip)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBkgnd)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    // The hidden tip window owned by the list, its inner tooltip and font.
    bool Create(HWND hWndList, bool themed);
    // Shows the text over the cell's text rectangle (screen coordinates)
    // when it does not fit there; false when no tip is shown.
    bool Show(const RECT& textRect, const std::wstring& text, const std::wstring& toolTipText);
    // Releases the mouse if the tip holds it and hides the tip.
    void Hide();

    HWND GetToolTip() const { return m_toolTip; }
    HFONT GetFont() const { return m_font.Get(); }

private:
    LRESULT OnEraseBkgnd(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);

    HWND m_toolTip = nullptr;
    CFontHandle m_font;
    bool m_themed = false;
    COLORREF m_background = 0;
    COLORREF m_text = 0;
};
