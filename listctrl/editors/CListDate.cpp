#include "listctrl/editors/CListDate.h"

#include <string>

bool CListDate::ShowEditor(HWND parent, int item, int subItem, const RECT& cell, unsigned flags,
                           SYSTEMTIME& value) {
    if (!BeginEdit(item, subItem, flags)) return false;
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&classes);
    DWORD style = WS_CHILD | WS_CLIPCHILDREN;
    if (flags & CELLF_DATE_OPTIONAL) style |= DTS_SHOWNONE;
    if (flags & CELLF_TIME_ONLY) style |= DTS_UPDOWN;
    const RECT rect{cell.left + 3, cell.top + 2, cell.right - 3, cell.bottom - 2};
    if (!CreateEditor(parent, rect, style)) return false;

    RemoveClientEdge();
    ::SendMessageW(m_hWnd, DTM_SETMCFONT, reinterpret_cast<WPARAM>(GetFont()), TRUE);
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()), TRUE);
    SetDisplayFormat();
    if (flags & CELLF_TIME_ONLY) {
        SYSTEMTIME today{};
        if (DateTime_GetSystemtime(m_hWnd, &today) == GDT_VALID) {
            value.wYear = today.wYear;
            value.wMonth = today.wMonth;
            value.wDay = today.wDay;
        }
    }
    const bool noDate = !(flags & CELLF_TIME_ONLY) && value.wYear == 0;
    DateTime_SetSystemtime(m_hWnd, noDate ? GDT_NONE : GDT_VALID, &value);
    // Without the no-date box the picker shows today's date instead.
    m_unchosen = noDate && !(flags & CELLF_DATE_OPTIONAL);
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetFocus(m_hWnd);
    return true;
}

// The cell draws its own frame around the picker.
void CListDate::RemoveClientEdge() {
    const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_CLIENTEDGE)) return;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle & ~LONG_PTR(WS_EX_CLIENTEDGE));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The user's short date, time, or both, as the cell shows them.
void CListDate::SetDisplayFormat() {
    wchar_t date[32] = L"";
    wchar_t time[32] = L"";
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, date, 32);
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, time, 32);
    std::wstring format;
    if (m_flags & CELLF_DATE_ONLY)
        format = date;
    else if (m_flags & CELLF_TIME_ONLY)
        format = time;
    else
        format = std::wstring(date) + L" " + time;
    DateTime_SetFormat(m_hWnd, format.c_str());
}

// wParam is the window taking the focus. A click on a part of the picker
// that is a window of its own (the no-date check box of some pickers) is
// still editing: the picker takes the focus straight back, so that leaving
// it still ends the edit. Moving into its calendar goes on editing there.
// Otherwise the picker also drops its own focus look.
LRESULT CListDate::OnKillFocus(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    HWND gaining = reinterpret_cast<HWND>(wParam);
    if (gaining != nullptr && ::IsChild(m_hWnd, gaining)) {
        ::SetFocus(m_hWnd);
        return 0;
    }
    bHandled = FALSE;
    HWND calendar = DateTime_GetMonthCal(m_hWnd);
    if ((gaining != nullptr && gaining == calendar) || ::GetFocus() == m_hWnd) return 0;
    if (calendar != nullptr) ::ShowWindow(calendar, SW_HIDE);
    FinishDateEdit();
    return 0;
}

void CListDate::FinishDateEdit() {
    SYSTEMTIME value{};
    const bool valid = !m_unchosen && DateTime_GetSystemtime(m_hWnd, &value) == GDT_VALID;
    if (!valid) value = SYSTEMTIME{};
    if (m_flags & CELLF_DATE_ONLY)
        value.wHour = value.wMinute = value.wSecond = value.wMilliseconds = 0;
    if (m_flags & CELLF_TIME_ONLY)
        value.wYear = value.wMonth = value.wDayOfWeek = value.wDay = 0;
    FinishEdit(valid ? L"1" : L"0", &value);
}

// The calendar closed: the picker takes the focus back, so that the next
// loss of focus ends the edit.
LRESULT CListDate::OnCloseUp(int, LPNMHDR, BOOL& bHandled) {
    ::SetFocus(m_hWnd);
    bHandled = FALSE;
    return 0;
}

// The user changed the value: what the picker shows is now a choice.
LRESULT CListDate::OnDateTimeChange(int, LPNMHDR, BOOL& bHandled) {
    m_unchosen = false;
    bHandled = FALSE;
    return 0;
}
