#include "listctrl/editors/CListEdit.h"

bool CListEdit::ShowEditor(HWND parent, int item, int subItem, const RECT& cell, unsigned flags,
                           const std::wstring& text) {
    if (!BeginEdit(item, subItem, flags)) return false;
    DWORD style = WS_CHILD | ES_AUTOHSCROLL;
    if (flags & (CELLF_INTEGER | CELLF_DECIMAL)) style |= ES_RIGHT;
    if (flags & CELLF_UPPERCASE) style |= ES_UPPERCASE;
    const RECT rect{cell.left + 2, cell.top + 3, cell.right - 3, cell.bottom - 2};
    if (!CreateEditor(parent, rect, style)) return false;

    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()), TRUE);
    ::SendMessageW(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(5, 5));
    ::SetWindowTextW(m_hWnd, text.c_str());
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SendMessageW(m_hWnd, EM_SETSEL, 0, -1);
    ::SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
    ::SetFocus(m_hWnd);
    return true;
}

// The edit box also drops its caret and selection look as usual.
LRESULT CListEdit::OnKillFocus(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    FinishEdit(WindowText(), nullptr);
    bHandled = FALSE;
    return 0;
}

void CListEdit::GetEditSelection(int& start, int& end) const {
    DWORD first = 0, last = 0;
    ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                   reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CListEdit::SetEditSelection(int start, int end) {
    ::SendMessageW(m_hWnd, EM_SETSEL, start, end);
    ::SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
}
