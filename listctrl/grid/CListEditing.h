#pragma once
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "listctrl/editors/CListCombo.h"
#include "listctrl/editors/CListDate.h"
#include "listctrl/editors/CListEdit.h"
#include "listctrl/grid/CListScroller.h"
#include "listctrl/rules/AccessibleEditorName.h"

// Selecting a row and editing its cells: the in-place editor opened over
// the current cell, the result it reports (GLN_ENDEDIT) stored back, and
// the check and three-state cells that change with a click or Space.
// Besides what CListCore asks, T answers
//   bool GetCellChoices(int row, int columnId, std::vector<std::wstring>&) const;
//   std::wstring GetCellToolTip(int row, int columnId) const;
//   void SortRows(int columnId);   // ascending by that column
//   void ReverseItemOrder();
template <class T>
class CListEditing : public CListScroller<T> {
public:
    using Base = CListScroller<T>;
    using Base::GetCellDate;
    using Base::GetCellRect;
    using Base::GetColumnId;
    using Base::GetCurrentCell;
    using Base::HideTitleTip;
    using Base::IsCellInView;
    using Base::IsRowSelected;
    using Base::Options;
    using Base::RedrawCell;
    using Base::ScrollCellIntoView;
    using Base::SendCellNotify;
    using Base::SetCellDate;

protected:
    using Base::Invalidate;
    using Base::IsColumn;
    using Base::IsRow;
    using Base::Self;
    using Base::m_editActive;
    using Base::m_selection;

public:
    enum : UINT_PTR { TIMER_DEFERRED_EDIT = 1002 };
    static constexpr UINT DEFERRED_EDIT_MS = 250;

    BEGIN_MSG_MAP(CListEditing)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        NOTIFY_CODE_HANDLER(GLN_ENDEDIT, OnEndEdit)
        CHAIN_MSG_MAP(CListScroller<T>)
    END_MSG_MAP()

    // Selects as a click with these MK_SHIFT / MK_CONTROL bits would, then
    // opens the editor of the focus cell: at once when the row is fully in
    // view, else a moment later, once it has been scrolled into view.
    bool SelectRow(int row, int cell, UINT modifiers) {
        if (!IsRow(row)) return false;
        const RowSelection::Outcome outcome =
            m_selection.Select(row, cell, (modifiers & MK_SHIFT) != 0,
                               (modifiers & MK_CONTROL) != 0, Options.SingleSelect);
        if (outcome.Notify) SendCellNotify(row, outcome.ReportedCell, GLN_SELECTED);
        if (!IsCellInView(row, outcome.ReportedCell, false))
            ::SetTimer(this->m_hWnd, TIMER_DEFERRED_EDIT, DEFERRED_EDIT_MS, nullptr);
        else if (HasFocusCell())
            BeginCellEdit(m_selection.CurrentRow, m_selection.CurrentCell);
        Invalidate();
        return true;
    }

    // Opens the cell's editor when the list has the focus. True also when
    // the cell has nothing to edit (read-only, or a kind without editor).
    bool BeginCellEdit(int row, int cell) {
        if (!ScrollCellIntoView(row, cell)) return false;
        if (::GetFocus() != this->m_hWnd) return false;
        RECT rect;
        if (!GetCellRect(row, cell, rect)) return false;
        const int id = GetColumnId(cell);
        const unsigned flags = Self().GetCellFlags(row, id);
        const int kind = Self().GetCellKind(row, id);
        if ((flags & CELLF_READONLY) || !HasEditor(kind)) return true;
        std::vector<std::wstring> choices;
        if (kind == CELL_COMBO && !Self().GetCellChoices(row, id, choices)) return false;
        // A tip left over the cell would hold the mouse, and take the
        // editor's clicks to the list.
        HideTitleTip(true);
        // The current cell shows its edit look under the editor.
        m_editActive = true;
        const bool shown =
            ::RedrawWindow(this->m_hWnd, nullptr, nullptr,
                           RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE) &&
            ShowEditor(kind, row, cell, rect, flags, choices);
        // Without an editor no GLN_ENDEDIT will come to clear it.
        if (!shown) m_editActive = false;
        return shown;
    }

    bool IsEditActive() const { return m_editActive; }

protected:
    static bool HasEditor(int kind) {
        return kind == CELL_EDIT || kind == CELL_DATETIME || kind == CELL_COMBO;
    }

    // A focus cell on a selected row: a row Ctrl+click just deselected
    // keeps the focus but gets no editor.
    bool HasFocusCell() const {
        return m_selection.CurrentRow != -1 && m_selection.CurrentCell != -1 &&
               IsRowSelected(m_selection.CurrentRow);
    }

    bool ShowEditor(int kind, int row, int cell, const RECT& rect, unsigned flags,
                    const std::vector<std::wstring>& choices) {
        HWND list = this->m_hWnd;
        const int id = GetColumnId(cell);
        NameCellEditors(AccessibleEditorName(this->m_columns[cell].Title, row), m_edit, m_combo,
                        m_date);
        if (kind == CELL_DATETIME) {
            SYSTEMTIME date;
            GetCellDate(row, id, date);  // all zero for an empty cell
            return m_date.ShowEditor(list, row, cell, rect, flags, date);
        }
        const std::wstring text = Self().GetItemText(row, id);
        if (kind == CELL_COMBO)
            return m_combo.ShowEditor(list, row, cell, rect, flags, text, Options.UseThemes,
                                      choices);
        return m_edit.ShowEditor(list, row, cell, rect, flags, text);
    }

    // Click or Space on a check cell toggles it, on a three-state cell
    // cycles 0 -> 1 -> -1 -> 0; false for any other cell.
    bool ToggleCell(int row, int cell) {
        if (!IsRow(row) || !IsColumn(cell)) return false;
        const int id = GetColumnId(cell);
        const int kind = Self().GetCellKind(row, id);
        if ((Self().GetCellFlags(row, id) & CELLF_READONLY) ||
            (kind != CELL_CHECK && kind != CELL_TRISTATE))
            return false;
        const long value = std::wcstol(Self().GetItemText(row, id).c_str(), nullptr, 10);
        const wchar_t* next = value <= 0 ? L"1" : L"0";
        if (kind == CELL_TRISTATE) next = value == 0 ? L"1" : value > 0 ? L"-1" : L"0";
        Self().SetItemText(row, id, next);
        SendCellNotify(row, cell, GLN_MODIFIED);
        RedrawCell(row, -1);
        return true;
    }

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        ::KillTimer(this->m_hWnd, TIMER_DEFERRED_EDIT);
        m_edit.DestroyWindow();
        m_combo.DestroyWindow();
        m_date.DestroyWindow();
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
        if (wParam != TIMER_DEFERRED_EDIT) {
            bHandled = FALSE;
            return 0;
        }
        ::KillTimer(this->m_hWnd, TIMER_DEFERRED_EDIT);
        int row = -1, cell = -1;
        if (GetCurrentCell(row, cell) && cell != -1) BeginCellEdit(row, cell);
        return 0;
    }

    // An editor reports the end of its edit: store the result unless it was
    // cancelled, tell the parent, and go on to the next cell after Tab.
    LRESULT OnEndEdit(int, LPNMHDR header, BOOL&) {
        m_editActive = false;
        const NMGRIDCELL& result = *reinterpret_cast<const NMGRIDCELL*>(header);
        if (!IsRow(result.Item)) return 0;
        if (result.ExitKey != VK_ESCAPE) {
            const bool stored = StoreResult(result);
            if (result.ExitKey == VK_TAB) ::PostMessageW(this->m_hWnd, WM_KEYDOWN, VK_TAB, 0);
            if (stored) SendCellNotify(result.Item, result.SubItem, GLN_MODIFIED);
        }
        RedrawCell(result.Item, -1);
        return 0;
    }

    // False when there was nothing to store: no date for a cell without one.
    bool StoreResult(const NMGRIDCELL& result) {
        const int id = GetColumnId(result.SubItem);
        const std::wstring text = result.Text != nullptr ? result.Text : L"";
        if (result.Date == nullptr)
            Self().SetItemText(result.Item, id, text);
        else if (std::wcstol(text.c_str(), nullptr, 10) != 0)
            SetCellDate(result.Item, id, *result.Date);
        else if (Self().GetItemText(result.Item, id).empty())
            return false;
        else
            Self().SetItemText(result.Item, id, std::wstring());
        return true;
    }

    // One object of each editor for the list's life; each edit makes a
    // new editor window.
    CListEdit m_edit;
    CListCombo m_combo;
    CListDate m_date;
};
