#pragma once
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "framework/CUniqueHandle.h"
#include "listctrl/rules/AccessibleRowName.h"
#include "listctrl/accessibility/CListAccessible.h"
#include "listctrl/grid/CListHeaderInput.h"
#include "listctrl/rules/ListAccessState.h"

// What screen readers see of the list: the accessible object handed out on
// WM_GETOBJECT, and the events that tell them what changed. Changes are
// found in one place: once the list has handled a message, its rows,
// selection, focus row and sort are compared with what was told last.
// What the owner changes between messages (rows added or removed) is told
// with the repaint it causes.
template <class T>
class CListAccessibility : public CListHeaderInput<T> {
public:
    using Base = CListHeaderInput<T>;
    using Base::CellFromPoint;
    using Base::FormatCellDateTime;
    using Base::GetCurrentCell;
    using Base::GetSelection;
    using Base::IsRowSelected;
    using Base::Options;
    using Base::ScrollCellIntoView;
    using Base::SelectRow;
    using Base::SetCurrentCell;

    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                              LRESULT& lResult, DWORD dwMsgMapID = 0) override {
        if (uMsg == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
            // A window on its way out hands out nothing: an object made now
            // would outlive the disconnection at WM_DESTROY.
            if (m_destroying) {
                lResult = 0;
                return TRUE;
            }
            lResult = AnswerGetObject(wParam);
            if (lResult != 0) return TRUE;
        }
        if (uMsg == WM_DESTROY) {
            m_destroying = true;
            m_accessible.Reset();
        }
        if (uMsg == WM_NCDESTROY) m_destroying = false;  // the object may get a new window
        // Nothing is told of a window on its way out.
        if (uMsg == WM_DESTROY || uMsg == WM_NCDESTROY)
            return Base::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID);
        BOOL handled = FALSE;
        ActThenReport([&] {
            handled = Base::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID);
        });
        return handled;
    }

protected:
    using Base::ClientRect;
    using Base::ContentRight;
    using Base::FirstVisibleRow;
    using Base::IsRow;
    using Base::ItemTop;
    using Base::Self;
    using Base::m_columns;
    using Base::m_rowHeight;
    using Base::m_selection;

    // The object lives until the window is destroyed, so a screen reader
    // asking again gets the same one.
    LRESULT AnswerGetObject(WPARAM wParam) {
        if (!m_accessible) m_accessible.Reset(CListAccessible::Create(this->m_hWnd, m_view));
        return m_accessible ? m_accessible.Get()->Answer(wParam) : 0;
    }

    // Runs one message, or one request of a screen reader, and then tells
    // what it changed: once at its end, never halfway through (messages it
    // sends the list itself, a repaint included, tell nothing).
    template <class Action>
    void ActThenReport(const Action& action) {
        ++m_depth;
        action();
        if (--m_depth == 0) ReportChanges();
    }

    // Tells screen readers what changed since they were told last. A
    // reader that acts on an event may call back into the list; what it
    // changes then is told after the next message.
    void ReportChanges() {
        if (m_reporting || !this->IsWindow()) return;
        ListAccessState now = StateNow();
        if (now == m_told) return;
        m_reporting = true;
        const ListAccessState told = std::exchange(m_told, std::move(now));
        for (const ListAccessState::Change& change : m_told.ChangesSince(told))
            ::NotifyWinEvent(WinEventOf(change.What), this->m_hWnd, OBJID_CLIENT, change.Row + 1);
        m_reporting = false;
    }

    ListAccessState StateNow() const {
        ListAccessState state;
        state.RowCount = Self().GetItemCount();
        state.SelectedRows = m_selection.Rows();
        state.FocusRow = ::GetFocus() == this->m_hWnd ? CurrentRow() : -1;
        state.SortColumnId = Options.SortColumnId;
        state.SortAscending = Options.SortAscending;
        return state;
    }

    static DWORD WinEventOf(ListAccessState::Event event) {
        switch (event) {
        case ListAccessState::RowCreated: return EVENT_OBJECT_CREATE;
        case ListAccessState::RowsReordered: return EVENT_OBJECT_REORDER;
        case ListAccessState::SelectionSet: return EVENT_OBJECT_SELECTION;
        case ListAccessState::SelectionAdded: return EVENT_OBJECT_SELECTIONADD;
        case ListAccessState::SelectionRemoved: return EVENT_OBJECT_SELECTIONREMOVE;
        case ListAccessState::SelectionReworked: return EVENT_OBJECT_SELECTIONWITHIN;
        case ListAccessState::RowFocused: break;
        }
        return EVENT_OBJECT_FOCUS;
    }

    // The row with the focus cell; without one, the row keys act on.
    int CurrentRow() const {
        if (IsRow(m_selection.CurrentRow)) return m_selection.CurrentRow;
        int row = -1, cell = -1;
        GetCurrentCell(row, cell);
        return row;
    }

    // The cell a row is edited in: the current cell's column, else the first.
    int EditCell() const {
        if (!Options.CellFocus) return -1;
        return m_selection.CurrentCell != -1 ? m_selection.CurrentCell : 0;
    }

    // What a cell shows, as text.
    std::wstring SpokenText(int row, int id) const {
        switch (Self().GetCellKind(row, id)) {
        case CELL_DATETIME: return FormatCellDateTime(row, id);
        case CELL_OWNERDRAW: return std::wstring();
        default: return Self().GetItemText(row, id);
        }
    }

    std::wstring SpokenRowName(int row) const {
        std::vector<TitledCell> cells;
        for (const ListColumn& column : m_columns)
            cells.emplace_back(column.Title, SpokenText(row, column.Id));
        return AccessibleRowName(cells);
    }

    // In client coordinates, where the row is or, scrolled out, would be.
    RECT RowRect(int row) const {
        const RECT client = ClientRect();
        const int top = ItemTop() + (row - FirstVisibleRow()) * m_rowHeight;
        return RECT{client.left, top, std::min<int>(client.right, ContentRight()),
                    top + m_rowHeight};
    }

    // accDoDefaultAction: the row as a click selects it, scrolled into
    // view first so that its editor opens at once.
    void OpenRow(int row) {
        ActThenReport([&] {
            ::SetFocus(this->m_hWnd);  // an open editor ends here and stores its cell
            const int cell = EditCell();
            ScrollCellIntoView(row, cell);
            SelectRow(row, cell, 0);
        });
    }

    // accSelect: SELFLAG_* as the clicks and keys that do the same.
    bool SelectByFlags(int row, long flags) {
        const long selecting = SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION |
                               SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION;
        const bool take = flags & SELFLAG_TAKESELECTION, extend = flags & SELFLAG_EXTENDSELECTION;
        const bool add = flags & SELFLAG_ADDSELECTION, remove = flags & SELFLAG_REMOVESELECTION;
        if ((flags & ~(selecting | SELFLAG_TAKEFOCUS)) || (take && (extend || add || remove)) ||
            (add && remove) || (Options.SingleSelect && (extend || add)))
            return false;
        ActThenReport([&] {
            const int cell = EditCell();
            if (flags & SELFLAG_TAKEFOCUS) {
                ::SetFocus(this->m_hWnd);
                SetCurrentCell(row, cell);
            }
            if (take)
                SelectRow(row, cell, 0);
            else if (extend)
                SelectRow(row, cell, MK_SHIFT);
            else if ((add || remove) && add != IsRowSelected(row))
                SelectRow(row, cell, MK_CONTROL);
        });
        return true;
    }

    // The list as its accessible object sees it.
    class View : public CListAccessible::Grid {
    public:
        explicit View(CListAccessibility& list) : m_list(list) {}

        int RowCount() const override { return m_list.Self().GetItemCount(); }
        std::wstring RowName(int row) const override { return m_list.SpokenRowName(row); }
        RECT RowRect(int row) const override { return m_list.RowRect(row); }
        RECT ItemArea() const override {
            RECT area = m_list.ClientRect();
            area.top = m_list.ItemTop();
            return area;
        }
        int RowAt(POINT client) const override {
            int row = -1, cell = -1;
            return m_list.CellFromPoint(client.x, client.y, row, cell) ? row : -1;
        }
        bool IsRowSelected(int row) const override { return m_list.IsRowSelected(row); }
        std::vector<int> SelectedRows() const override { return m_list.GetSelection().Rows(); }
        int CurrentRow() const override { return m_list.CurrentRow(); }
        bool HasFocus() const override { return ::GetFocus() == m_list.m_hWnd; }
        bool EditsCells() const override { return m_list.Options.CellFocus; }
        void OpenRow(int row) override { m_list.OpenRow(row); }
        bool SelectRow(int row, long flags) override { return m_list.SelectByFlags(row, flags); }

    private:
        CListAccessibility& m_list;
    };

    View m_view{*this};
    // Declared after the view it points at, so that it is disconnected first.
    CUniqueHandle<CAccessibleProxy*, CAccessibleProxy::Closer> m_accessible;
    ListAccessState m_told;
    int m_depth = 0;
    bool m_reporting = false;
    bool m_destroying = false;  // from WM_DESTROY to WM_NCDESTROY
};
