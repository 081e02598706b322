#pragma once
#include <windows.h>

#include <string>

#include "framework/CAccessibleHolder.h"
#include "framework/CUniqueHandle.h"
#include "framework/CWindowImplBase.h"
#include "framework/HyperLinkText.h"

// A hyperlink laid over an existing window, normally a static text of a
// dialog: it draws the link part of its label underlined in the browser's
// link colours, shows the hand cursor and a tooltip with the address over
// the link text, takes the focus on a click or Tab (it is a tab stop of its
// dialog) and opens the address through CLinkLauncher on a click, Enter or
// Space. Screen readers see it as a link (WM_GETOBJECT).
class CHyperLinkImpl : public CWindowImplBase {
public:
    // Only the text between "<A>" and "</A>" of the label is the link;
    // without it the whole label is.
    static constexpr DWORD LinkTagMode = 0x10;

    void SetExtendedStyle(DWORD style) { m_extendedStyle = style; }

    // The address to open, also the tooltip's text.
    const std::wstring& GetLinkTarget() const { return m_target; }
    void SetLinkTarget(const std::wstring& target);
    // The label with its tags; set as the window text too.
    void SetLinkLabel(const std::wstring& label);

    // Takes over the window and sets the link up on it: fonts, tooltip,
    // label from the window text, colours from the browser's settings.
    // False when the window cannot be taken over.
    bool SubclassAndInitialize(HWND hWnd);

    // The label (or, without one, the target) cut into its three parts.
    LinkLabelParts SplitLabel() const;
    // Measures where the link text lies in the client area.
    void MeasureLink();
    // Opens the target; on success the link shows as visited.
    bool LaunchLink();
    bool IsVisited() const { return m_visited; }

    BEGIN_MSG_MAP(CHyperLinkImpl)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_RANGE_HANDLER(WM_MOUSEFIRST, WM_MOUSELAST, OnMouseMessage)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        MESSAGE_HANDLER(WM_PRINTCLIENT, OnPaint)
        MESSAGE_HANDLER(WM_SETFOCUS, OnFocusChange)
        MESSAGE_HANDLER(WM_KILLFOCUS, OnFocusChange)
        MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
        MESSAGE_HANDLER(WM_MOUSELEAVE, OnMouseLeave)
        MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
        MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
        MESSAGE_HANDLER(WM_CHAR, OnChar)
        MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
        MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
        MESSAGE_HANDLER(WM_ENABLE, OnEnable)
        MESSAGE_HANDLER(WM_GETFONT, OnGetFont)
        MESSAGE_HANDLER(WM_SETFONT, OnSetFont)
        MESSAGE_HANDLER(WM_UPDATEUISTATE, OnUpdateUIState)
        MESSAGE_HANDLER(WM_SIZE, OnSize)
        MESSAGE_HANDLER(WM_GETOBJECT, OnGetObject)
    END_MSG_MAP()

private:
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnEraseBackground(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnFocusChange(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnMouseLeave(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnGetDlgCode(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSetCursor(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnEnable(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnGetFont(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSetFont(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnUpdateUIState(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnGetObject(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    void Initialize();
    void AdoptStaticStyle();
    void CreateFonts();
    void CreateToolTip();
    void AddToolTipTool();
    void ReadBrowserColours();
    static void ReadColour(HKEY hKey, const wchar_t* name, COLORREF& colour);

    void Paint(HDC hdc);
    static void DrawPart(HDC hdc, std::wstring_view text, RECT rect);
    HFONT LinkFont() const { return m_linkFont ? m_linkFont.Get() : m_normalFont; }
    bool IsOverLink(POINT client) const;
    void Redraw();

    std::wstring m_label;
    std::wstring m_target;
    HCURSOR m_cursor = nullptr;  // shared system cursor
    HFONT m_normalFont = nullptr;  // the dialog's
    CFontHandle m_linkFont;
    HWND m_toolTip = nullptr;
    COLORREF m_linkColor = RGB(0, 0, 255);
    COLORREF m_visitedColor = RGB(128, 0, 128);
    DWORD m_extendedStyle = 0;
    bool m_drawsLabel = true;
    bool m_visited = false;
    RECT m_linkRect{};
    CAccessibleHolder m_accessible;
};
