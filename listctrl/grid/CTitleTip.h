#pragma once
#include <windows.h>

#include <string>

#include "framework/CUniqueHandle.h"
#include "framework/CWindowImpl.h"
#include "listctrl/rules/DpiScale.h"

// The popup that shows the whole text of a cut-off cell laid exactly over
// the cell. While shown it holds the mouse: leaving it hides it, and every
// click on it goes on to the list as if the tip were not there. It is
// created hidden with the list's metrics; the list owns it.
class CTitleTip : public CWindowImpl<CTitleTip> {
public:
    DECLARE_WND_CLASS_EX(L"TitleTip", CS_SAVEBITS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                         COLOR_WINDOW)

    BEGIN_MSG_MAP(CTitleTip)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBkgnd)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        MESSAGE_HANDLER(WM_PRINTCLIENT, OnPrintClient)
        MESSAGE_RANGE_HANDLER(WM_MOUSEMOVE, WM_XBUTTONDBLCLK, OnMouseMessage)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    // The hidden tip window owned by the list, its inner tooltip and font;
    // themed takes the list's UseThemes option, the padding the list's DPI. False, with no window
    // left, when any of them cannot be made.
    bool Create(HWND hWndList, bool themed);

    // Shows the text over the cell's text rectangle (screen coordinates)
    // when it does not fit there, and takes the mouse. False when the text
    // fits, is empty or there is no tip window.
    bool Show(const RECT& textRect, const std::wstring& text, const std::wstring& toolTipText);

    // Releases the mouse if the tip holds it and hides the tip.
    void Hide();

    HWND GetToolTip() const { return m_toolTip; }
    HFONT GetFont() const { return m_font.Get(); }

private:
    static constexpr COLORREF OUTER_BORDER = RGB(220, 220, 220);
    static constexpr COLORREF INNER_BORDER = RGB(245, 245, 245);
    static constexpr COLORREF GRADIENT_TOP = RGB(250, 250, 250);
    static constexpr COLORREF GRADIENT_BOTTOM = RGB(235, 235, 235);
    static constexpr UINT TEXT_FORMAT = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
    static constexpr int TEXT_INSET = 4;  // pixels at 96 DPI

    LRESULT OnEraseBkgnd(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPrintClient(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);

    bool CreateWindows(HWND hWndList);
    bool IsThemed() const;
    int MeasureText(const std::wstring& text, const RECT& rect) const;
    void SetToolTipText(const std::wstring& toolTipText);
    void Paint(HDC hdc) const;
    void RelayToToolTip(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void ForwardToList(UINT uMsg, WPARAM wParam, POINT screen) const;

    HWND m_list = nullptr;
    HWND m_toolTip = nullptr;  // destroyed with the tip window
    CFontHandle m_font;
    bool m_themed = false;
    DpiScale m_scale;
    COLORREF m_background = 0;
    COLORREF m_text = 0;
};
