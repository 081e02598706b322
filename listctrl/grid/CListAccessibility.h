#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/CUniqueHandle.h"
#include "listctrl/accessibility/CListAccessible.h"
#include "listctrl/rules/ListAccessState.h"

class CListCore;
class CListEditing;

// What screen readers see of the list: the accessible object handed out on
// WM_GETOBJECT, and the events that tell them what changed. Changes are
// found in one place: once the list has handled a message, its rows,
// selection, focus row and sort are compared with what was told last.
// What the owner changes between messages (rows added or removed) is told
// with the repaint it causes.
class CListAccessibility {
public:
    CListAccessibility(CListCore& grid, CListEditing& editing)
        : m_grid(grid), m_editing(editing) {}
    CListAccessibility(const CListAccessibility&) = delete;
    CListAccessibility& operator=(const CListAccessibility&) = delete;

    // One message of the list: WM_GETOBJECT is answered here; any other
    // message goes to handling (the list's concerns, which return whether
    // they handled it), and then what it changed is told.
    template <class Handling>
    BOOL ProcessWindowMessage(HWND, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              const Handling& handling) {
        if (AnswerGetObject(uMsg, wParam, lParam, lResult)) return TRUE;
        TrackDestruction(uMsg);
        // Nothing is told of a window on its way out.
        if (uMsg == WM_DESTROY || uMsg == WM_NCDESTROY) return handling();
        BOOL handled = FALSE;
        ActThenReport([&] { handled = handling(); });
        return handled;
    }

private:
    // The object lives until the window is destroyed, so a screen reader
    // asking again gets the same one. False when the message is not a
    // request for the client's object or none could be handed out.
    bool AnswerGetObject(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

    // From WM_DESTROY to WM_NCDESTROY the window hands out no object, and
    // the one it handed out is disconnected.
    void TrackDestruction(UINT uMsg);

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

    // accDoDefaultAction: the row as a click selects it, scrolled into
    // view first so that its editor opens at once.
    void OpenRow(int row);

    // accSelect: SELFLAG_* as the clicks and keys that do the same.
    bool SelectByFlags(int row, long flags);

    // The list as its accessible object sees it.
    class View : public CListAccessible::Grid {
    public:
        View(CListAccessibility& owner, CListCore& grid) : m_owner(owner), m_grid(grid) {}

        int RowCount() const override;
        std::wstring RowName(int row) const override { return m_owner.SpokenRowName(row); }
        RECT RowRect(int row) const override;
        RECT ItemArea() const override;
        int RowAt(POINT client) const override;
        bool IsRowSelected(int row) const override;
        std::vector<int> SelectedRows() const override;
        int CurrentRow() const override { return m_owner.CurrentRow(); }
        bool HasFocus() const override;
        bool EditsCells() const override;
        std::wstring Description() const override;
        void OpenRow(int row) override { m_owner.OpenRow(row); }
        bool SelectRow(int row, long flags) override { return m_owner.SelectByFlags(row, flags); }

    private:
        CListAccessibility& m_owner;
        CListCore& m_grid;
    };

    CListCore& m_grid;
    CListEditing& m_editing;
    View m_view{*this, m_grid};
    // Declared after the view it points at, so that it is disconnected first.
    CUniqueHandle<CAccessibleProxy*, CAccessibleProxy::Closer> m_accessible;
    ListAccessState m_told;
    int m_depth = 0;
    bool m_reporting = false;
    bool m_destroying = false;  // from WM_DESTROY to WM_NCDESTROY
};
