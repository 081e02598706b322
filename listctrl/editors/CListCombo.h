#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/CContainedWindow.h"
#include "framework/CUniqueHandle.h"
#include "listctrl/editors/CInPlaceEditorImpl.h"

// The combo box laid over a CELL_COMBO cell, offering the column's choices
// sorted. It paints itself: the list shows through around the selection
// field, and the drop-down button follows the mouse. In the editable style
// its edit field is hooked into the second message map.
class CListCombo : public CInPlaceEditorImpl<CListCombo> {
public:
    DECLARE_WND_SUPERCLASS(L"ListCombo", L"COMBOBOX")

    enum { EDIT_FIELD_MAP = 1 };

    BEGIN_MSG_MAP(CListCombo)
        MESSAGE_RANGE_HANDLER(WM_MOUSEMOVE, WM_XBUTTONDBLCLK, OnMouseMessage)
        MESSAGE_HANDLER(WM_MOUSELEAVE, OnMouseLeave)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBkgnd)
        MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
        MESSAGE_HANDLER(WM_CHAR, OnExitKey)
        MESSAGE_HANDLER(WM_CHAR, OnFilterChar)
        REFLECTED_COMMAND_CODE_HANDLER(CBN_KILLFOCUS, OnKillFocus)
        DEFAULT_REFLECTION_HANDLER()
    ALT_MSG_MAP(EDIT_FIELD_MAP)
        MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
        MESSAGE_HANDLER(WM_CHAR, OnExitKey)
        MESSAGE_HANDLER(WM_CHAR, OnFilterChar)
    END_MSG_MAP()

    // Opens the combo box over the cell (list client coordinates) with the
    // choices, the cell's text chosen or typed in, and gives it the focus.
    bool ShowEditor(HWND parent, int item, int subItem, const RECT& cell, unsigned flags,
                    const std::wstring& text, bool useThemes,
                    const std::vector<std::wstring>& choices);

private:
    friend class CInPlaceEditorImpl<CListCombo>;

    LRESULT OnMouseMessage(UINT uMsg, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnMouseLeave(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBkgnd(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnKillFocus(WORD, WORD, HWND, BOOL& bHandled);

    bool IsDropList() const { return (m_flags & CELLF_COMBO_EDITABLE) == 0; }
    void FillChoices(const std::wstring& text, const std::vector<std::wstring>& choices);
    bool TakeLayout();
    std::wstring SelectedText() const;

    void Paint(HDC hdc, const RECT& update);
    void PaintListBehind(HDC hdc);
    void PaintSelection(HDC hdc);
    void PaintButton(HDC hdc);

    void GetEditSelection(int& start, int& end) const;
    void SetEditSelection(int start, int end);

    bool m_useThemes = true;
    CThemeHandle m_theme;
    bool m_hot = false;
    bool m_tracking = false;
    bool m_swapButtons = false;
    COLORREF m_highlight = 0;
    COLORREF m_highlightText = 0;
    RECT m_itemRect{};
    RECT m_buttonRect{};
    CContainedWindow m_editField{this, EDIT_FIELD_MAP};
    CAccessibleName m_editFieldName;  // the field has the focus: it is what is spoken
};
