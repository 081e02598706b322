#pragma once
#include <windows.h>

#include <string>

#include "listctrl/editors/CInPlaceEditorImpl.h"

// The single-line edit box laid over a CELL_EDIT cell.
class CListEdit : public CInPlaceEditorImpl<CListEdit> {
public:
    DECLARE_WND_SUPERCLASS(L"ListEdit", L"EDIT")

    BEGIN_MSG_MAP(CListEdit)
        MESSAGE_HANDLER(WM_KILLFOCUS, OnKillFocus)
        MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
        MESSAGE_HANDLER(WM_CHAR, OnExitKey)
        MESSAGE_HANDLER(WM_CHAR, OnFilterChar)
        DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

    // Opens the editor over the cell (list client coordinates) with the
    // cell's text selected, and gives it the focus.
    bool ShowEditor(HWND parent, int item, int subItem, const RECT& cell, unsigned flags,
                    const std::wstring& text);

private:
    friend class CInPlaceEditorImpl<CListEdit>;

    LRESULT OnKillFocus(UINT, WPARAM, LPARAM, BOOL& bHandled);
    void GetEditSelection(int& start, int& end) const;
    void SetEditSelection(int start, int end);
};
