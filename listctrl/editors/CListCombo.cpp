#include "listctrl/editors/CListCombo.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include "framework/CMemoryDC.h"
#include "framework/IsThemingAvailable.h"
#include "listctrl/drawing/ListDrawing.h"

bool CListCombo::ShowEditor(HWND parent, int item, int subItem, const RECT& cell, unsigned flags,
                            const std::wstring& text, bool useThemes,
                            const std::vector<std::wstring>& choices) {
    if (!BeginEdit(item, subItem, flags)) return false;
    m_useThemes = useThemes;
    m_hot = false;
    m_tracking = false;  // a request for the previous window ended with it
    m_swapButtons = ::GetSystemMetrics(SM_SWAPBUTTON) != 0;
    m_highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);

    DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | CBS_SORT | CBS_AUTOHSCROLL;
    style |= IsDropList() ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
    if (flags & CELLF_UPPERCASE) style |= CBS_UPPERCASE;
    // The height includes the drop-down list.
    const int cellHeight = cell.bottom - cell.top;
    const RECT rect{cell.left + (IsDropList() ? 3 : 1), cell.top, cell.right,
                    cell.top + 7 * cellHeight};
    if (!CreateEditor(parent, rect, style)) return false;

    if (!m_theme && IsThemingAvailable()) m_theme.Reset(::OpenThemeData(m_hWnd, L"COMBOBOX"));
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()), FALSE);
    if (HWND field = ::GetWindow(m_hWnd, GW_CHILD)) {
        m_editField.SubclassWindow(field);
        m_editFieldName.SetName(SpokenName());
        m_editFieldName.Attach(field);
    }
    FillChoices(text, choices);
    ::SendMessageW(m_hWnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), cellHeight - 6);
    if (!TakeLayout()) {
        DestroyWindow();
        return false;
    }
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetFocus(m_hWnd);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return true;
}

// A drop-down list chooses the cell's text if it is among the choices and
// else nothing; the editable field takes the text as it is, selected.
void CListCombo::FillChoices(const std::wstring& text, const std::vector<std::wstring>& choices) {
    for (const std::wstring& choice : choices)
        ::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
    if (IsDropList()) {
        const LRESULT found = ::SendMessageW(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(text.c_str()));
        if (found != CB_ERR) ::SendMessageW(m_hWnd, CB_SETCURSEL, found, 0);
    } else {
        ::SetWindowTextW(m_hWnd, text.c_str());
        ::SendMessageW(m_hWnd, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    }
}

// The selection field and the drop-down button as painted; the button is
// drawn a little inside the control's own.
bool CListCombo::TakeLayout() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetComboBoxInfo(m_hWnd, &info)) return false;
    m_itemRect = info.rcItem;
    m_buttonRect = info.rcButton;
    ::InflateRect(&m_buttonRect, 0, -1);
    ::OffsetRect(&m_buttonRect, -2, 0);
    return true;
}

std::wstring CListCombo::SelectedText() const {
    const LRESULT index = ::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return std::wstring();
    const LRESULT length = ::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        ::SendMessageW(m_hWnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

// The combo box tells its loss of focus, also when it leaves its edit field.
LRESULT CListCombo::OnKillFocus(WORD, WORD, HWND, BOOL& bHandled) {
    FinishEdit(IsDropList() ? SelectedText() : WindowText(), nullptr);
    bHandled = FALSE;
    return 0;
}

LRESULT CListCombo::OnMouseMessage(UINT uMsg, WPARAM, LPARAM, BOOL& bHandled) {
    if (uMsg == WM_MOUSEMOVE && !m_tracking) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
        m_tracking = ::TrackMouseEvent(&track) != FALSE;
    }
    m_hot = true;
    ::InvalidateRect(m_hWnd, &m_buttonRect, TRUE);
    bHandled = FALSE;
    return 0;
}

// The hot flag stays: painting tells inside from outside by the cursor.
LRESULT CListCombo::OnMouseLeave(UINT, WPARAM, LPARAM, BOOL&) {
    m_tracking = false;
    ::InvalidateRect(m_hWnd, &m_buttonRect, TRUE);
    return 0;
}

LRESULT CListCombo::OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
    PAINTSTRUCT ps;
    if (HDC hdc = ::BeginPaint(m_hWnd, &ps)) {
        Paint(hdc, ps.rcPaint);
        ::EndPaint(m_hWnd, &ps);
    }
    return 0;
}

void CListCombo::Paint(HDC hdc, const RECT& update) {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    CMemoryDC memory(hdc, client);
    if (!memory.IsValid()) return;
    // A repaint of the button alone leaves the rest of the window as it is.
    if (!::EqualRect(&update, &m_buttonRect)) {
        PaintListBehind(memory.GetDC());
        if (IsDropList()) PaintSelection(memory.GetDC());
    }
    PaintButton(memory.GetDC());
    memory.CopyToTarget();
}

// The list draws itself into the buffer where the combo box lies over it.
void CListCombo::PaintListBehind(HDC hdc) {
    HWND hWndList = ::GetParent(m_hWnd);
    if (hWndList == nullptr) return;
    POINT origin{0, 0};
    ::MapWindowPoints(m_hWnd, hWndList, &origin, 1);
    const int saved = ::SaveDC(hdc);
    ::SetWindowOrgEx(hdc, origin.x, origin.y, nullptr);
    ::SendMessageW(hWndList, WM_PAINT, reinterpret_cast<WPARAM>(hdc), 0);
    ::RestoreDC(hdc, saved);
}

void CListCombo::PaintSelection(HDC hdc) {
    ListDrawing::FillSolid(hdc, m_itemRect, m_highlight);
    const std::wstring text = SelectedText();
    RECT rect = m_itemRect;
    ::OffsetRect(&rect, 1, 1);
    const int saved = ::SaveDC(hdc);
    ::SelectObject(hdc, GetFont());
    ::SetTextColor(hdc, m_highlightText);
    ::SetBkMode(hdc, TRANSPARENT);
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &rect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::RestoreDC(hdc, saved);
}

// Hot while the cursor is over the control (a drop-down list) or over the
// button (editable); pressed while the primary button is down there too.
void CListCombo::PaintButton(HDC hdc) {
    const DWORD pos = ::GetMessagePos();
    POINT cursor{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    ::ScreenToClient(m_hWnd, &cursor);
    RECT area = m_buttonRect;
    if (IsDropList()) ::GetClientRect(m_hWnd, &area);
    const bool inside = m_hot && ::PtInRect(&area, cursor);
    const bool pressed =
        inside && (::GetAsyncKeyState(m_swapButtons ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;
    if (m_useThemes && m_theme) {
        const int state = pressed ? CBXS_PRESSED : inside ? CBXS_HOT : CBXS_NORMAL;
        ::DrawThemeBackground(m_theme.Get(), hdc, CP_DROPDOWNBUTTON, state, &m_buttonRect, nullptr);
        return;
    }
    RECT button = m_buttonRect;
    ::DrawFrameControl(hdc, &button, DFC_SCROLL,
                       DFCS_SCROLLDOWN | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));
}

// Read through the two pointers, which hold positions beyond 65535 too; a
// combo box without an edit field reports none.
void CListCombo::GetEditSelection(int& start, int& end) const {
    DWORD first = 0, last = 0;
    if (::SendMessageW(m_hWnd, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&first),
                       reinterpret_cast<LPARAM>(&last)) == CB_ERR)
        return;
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CListCombo::SetEditSelection(int start, int end) {
    ::SendMessageW(m_hWnd, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
}
