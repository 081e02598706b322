#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/CMessageMap.h"
#include "listctrl/NMGRIDCELL.h"
#include "listctrl/editors/CListCombo.h"
#include "listctrl/editors/CListDate.h"
#include "listctrl/editors/CListEdit.h"

class CListCore;

// Selecting a row and editing its cells: the in-place editor opened over
// the current cell, the result it reports (GLN_ENDEDIT) stored back, and
// the check and three-state cells that change with a click or Space.
class CListEditing final : public CMessageMap {
public:
    enum : UINT_PTR { TIMER_DEFERRED_EDIT = 1002 };
    static constexpr UINT DEFERRED_EDIT_MS = 250;

    explicit CListEditing(CListCore& grid) : m_grid(grid) {}
    CListEditing(const CListEditing&) = delete;
    CListEditing& operator=(const CListEditing&) = delete;

    BEGIN_MSG_MAP(CListEditing)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        NOTIFY_CODE_HANDLER(GLN_ENDEDIT, OnEndEdit)
    END_MSG_MAP()

    // Selects as a click with these MK_SHIFT / MK_CONTROL bits would, then
    // opens the editor of the focus cell: at once when the row is fully in
    // view, else a moment later, once it has been scrolled into view.
    bool SelectRow(int row, int cell, UINT modifiers);

    // Opens the cell's editor when the list has the focus. True also when
    // the cell has nothing to edit (read-only, or a kind without editor).
    bool BeginCellEdit(int row, int cell);

    bool IsEditActive() const { return m_editActive; }

    // Click or Space on a check cell toggles it, on a three-state cell
    // cycles 0 -> 1 -> -1 -> 0; false for any other cell.
    bool ToggleCell(int row, int cell);

private:
    static bool HasEditor(int kind);

    // A focus cell on a selected row: a row Ctrl+click just deselected
    // keeps the focus but gets no editor.
    bool HasFocusCell() const;

    bool ShowEditor(int kind, int row, int cell, const RECT& rect, unsigned flags,
                    const std::vector<std::wstring>& choices);

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);

    // An editor reports the end of its edit: store the result unless it was
    // cancelled, tell the parent, and go on to the next cell after Tab.
    LRESULT OnEndEdit(int, LPNMHDR header, BOOL&);

    // True when the cell changed: a value the list refused, the value the
    // cell already had, or no date for a cell without one changes nothing.
    bool StoreResult(const NMGRIDCELL& result);

    CListCore& m_grid;
    // Set while an editor is open over the current cell.
    bool m_editActive = false;
    // One object of each editor for the list's life; each edit makes a
    // new editor window.
    CListEdit m_edit;
    CListCombo m_combo;
    CListDate m_date;
};
