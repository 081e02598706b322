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
#include "listctrl/grid/CListMouse.h"
#include "listctrl/rules/ListAccessState.h"

// What screen readers see of the list: the accessible object handed out on
// WM_GETOBJECT, and the events that tell them what changed. Changes are
// found in one place: once the list has handled a message, its rows,
// selection, focus row and sort are compared with what was told last.
// What the owner changes between messages (rows added or removed) is told
// with the repaint it causes.
class CListAccessibility : public CListMouse {
public:

    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                              LRESULT& lResult, DWORD dwMsgMapID = 0) override;

protected:
    // The list's own handling of a message, which this layer runs and then
    // reports on.
    virtual BOOL ProcessReportedMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                        LRESULT& lResult) = 0;

    // The object lives until the window is destroyed, so a screen reader
    // asking again gets the same one.
    LRESULT AnswerGetObject(WPARAM wParam);

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
    void ReportChanges();

    ListAccessState StateNow() const;
    static DWORD WinEventOf(ListAccessState::Event event);

    // The row with the focus cell; without one, the row keys act on.
    int CurrentRow() const;

    // The cell a row is edited in: the current cell's column, else the first.
    int EditCell() const;

    // What a cell shows, as text.
    std::wstring SpokenText(int row, int id) const;

    std::wstring SpokenRowName(int row) const;

    // In client coordinates, where the row is or, scrolled out, would be.
    RECT RowRect(int row) const;

    // accDoDefaultAction: the row as a click selects it, scrolled into
    // view first so that its editor opens at once.
    void OpenRow(int row);

    // accSelect: SELFLAG_* as the clicks and keys that do the same.
    bool SelectByFlags(int row, long flags);

    // The list as its accessible object sees it.
    class View : public CListAccessible::Grid {
    public:
        explicit View(CListAccessibility& list) : m_list(list) {}

        int RowCount() const override { return m_list.RowCount(); }
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
