#pragma once
#include <windows.h>
#include <commctrl.h>

#include "listctrl/editors/CInPlaceEditorImpl.h"

// The date-time picker laid over a CELL_DATETIME cell. It reports "1" and
// the date when it holds one, "0" when the user chose no date or left an
// empty cell untouched; a date-only cell's time and a time-only cell's date
// are reported as zero.
class CListDate : public CInPlaceEditorImpl<CListDate> {
public:
    DECLARE_WND_SUPERCLASS(L"ListDate", DATETIMEPICK_CLASSW)

    BEGIN_MSG_MAP(CListDate)
        MESSAGE_HANDLER(WM_KILLFOCUS, OnKillFocus)
        MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
        MESSAGE_HANDLER(WM_CHAR, OnExitKey)
        REFLECTED_NOTIFY_CODE_HANDLER(DTN_CLOSEUP, OnCloseUp)
        REFLECTED_NOTIFY_CODE_HANDLER(DTN_DATETIMECHANGE, OnDateTimeChange)
        DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

    // Opens the picker over the cell (list client coordinates) with the
    // value and gives it the focus. A time-only cell shows today's date
    // with the cell's time, and the value takes that date.
    bool ShowEditor(HWND parent, int item, int subItem, const RECT& cell, unsigned flags,
                    SYSTEMTIME& value);

private:
    LRESULT OnKillFocus(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnCloseUp(int, LPNMHDR, BOOL& bHandled);
    LRESULT OnDateTimeChange(int, LPNMHDR, BOOL& bHandled);

    void RemoveClientEdge();
    void SetDisplayFormat();
    void FinishDateEdit();

    // The picker shows a date the cell does not have (an empty cell of a
    // column without the no-date box) and the user has not changed it.
    bool m_unchosen = false;
};
