#pragma once
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <vector>
#include <cwchar>

#include "framework/CUniqueHandle.h"
#include "framework/IsThemingAvailable.h"
#include "listctrl/grid/CListTitleTips.h"
#include "listctrl/grid/CListMetrics.h"
#include "listctrl/drawing/CellDateText.h"
#include "listctrl/rules/DpiScale.h"
#include "listctrl/rules/ListColumn.h"
#include "listctrl/ListOptions.h"
#include "listctrl/ListResources.h"
#include "listctrl/NMGRIDCELL.h"
#include "listctrl/rules/RowSelection.h"
#include "framework/ScaledImageList.h"
#include "listctrl/rules/ScrollArithmetic.h"
#include "framework/SystemMessageFont.h"
#include "framework/WindowDpi.h"

// The grid's one state, over its metrics: options, columns, selection and
// focus cell, scroll position, geometry, notifications and the companion
// windows. The concerns (members of CListWindow, which derives from this)
// read and change it through its public operations; its message map comes
// last in the window's. The rows themselves are the concrete list's: the
// grid asks for them through GridRows.
class CListCore : public CListMetrics {
public:
    ListOptions Options;

    BEGIN_MSG_MAP(CListCore)
        MESSAGE_HANDLER(WM_CREATE, OnCreate)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_SYSCOLORCHANGE, OnSettingChange)
        MESSAGE_HANDLER(WM_SETTINGCHANGE, OnSettingChange)
        MESSAGE_HANDLER(WM_FONTCHANGE, OnSettingChange)
        MESSAGE_HANDLER(WM_THEMECHANGED, OnSettingChange)
        MESSAGE_HANDLER(WM_DPICHANGED_AFTERPARENT, OnSettingChange)
        MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
        MESSAGE_HANDLER(WM_SETFOCUS, OnFocusChange)
        MESSAGE_HANDLER(WM_KILLFOCUS, OnFocusChange)
        MESSAGE_HANDLER(WM_SETREDRAW, OnSetRedraw)
        MESSAGE_HANDLER(WM_CTLCOLOREDIT, OnDefaultHandling)
        MESSAGE_HANDLER(WM_CTLCOLORLISTBOX, OnDefaultHandling)
    END_MSG_MAP()

    // ---- Set-up -------------------------------------------------------

    // The set-up of a list whose window was just created or attached.
    // Layers that set up something of their own extend SetUp; a concrete
    // list may replace Initialize to set itself up first.
    virtual bool Initialize() { return SetUp(); }
    virtual bool SetUp();
    bool RefreshMetrics();

    // An in-place editor is open over the current cell (the editing
    // concern's to say): the list counts as focused and draws the cell so.
    virtual bool IsEditActive() const = 0;

    bool IsThemed() const { return Options.UseThemes && m_headerTheme; }
    bool IsHorzBarInUse() const { return m_horzBarInUse; }

    // ---- Columns ------------------------------------------------------

    bool AddColumn(const std::wstring& title, int width, int image, bool fixed, int kind,
                   unsigned flags);

    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    bool IsColumn(int position) const { return position >= 0 && position < GetColumnCount(); }

    bool GetColumn(int position, ListColumn& column) const;
    // The column at an existing position, read in place (no copy).
    const ListColumn& ColumnAt(int position) const { return m_columns[position]; }
    int GetColumnWidth(int position) const;
    bool SetColumnWidth(int position, int width);

    int GetColumnId(int position) const { return IsColumn(position) ? m_columns[position].Id : 0; }

    int FindColumnById(int id) const;
    bool IsColumnFixed(int position) const {
        return IsColumn(position) && m_columns[position].Fixed;
    }
    bool GetColumnHeaderRect(int position, RECT& rect) const;
    int GetContentWidth(bool recompute);

    // Moves the column at `position` before the column at `before` (the
    // column count: after the last). The columns keep their Ids, and the
    // focus, hot and title-tip cells stay on their columns. False, nothing
    // moved, for positions out of range or a move onto the column's own place.
    bool MoveColumnBefore(int position, int before);

    // The x, in client coordinates, of the left edge of the column at
    // `before`, or of the last column's right edge for the column count.
    int ColumnInsertionEdge(int before) const;

    // ---- Cells --------------------------------------------------------

    // The date of a date cell; false (and an all-zero date) without one.
    bool GetCellDate(int row, int columnId, SYSTEMTIME& date) const;

    // Stores a date as its key; false, leaving the cell alone, when a field
    // does not fit the key or the row does not exist.
    bool SetCellDate(int row, int columnId, const SYSTEMTIME& date);

    static std::wstring FormatCellDate(const SYSTEMTIME& date) {
        return CellDateText::FormatDate(date);
    }
    static std::wstring FormatCellTime(const SYSTEMTIME& date) {
        return CellDateText::FormatTime(date);
    }

    // The text a date cell shows: date, time or both as its flags ask.
    std::wstring FormatCellDateTime(int row, int columnId) const;

    // The owner removed row `row` from its array: renumber the selection,
    // resize the bars, repaint.
    void ItemRemoved(int row);

    // ---- Selection ----------------------------------------------------

    bool IsRowSelected(int row) const { return m_selection.IsSelected(row); }
    const RowSelection& GetSelection() const { return m_selection; }

    void ClearSelection();
    // Every row, unless the list selects single rows.
    void SelectAll();
    // The row a Shift selection spans from; -1 for none.
    void SetAnchorRow(int row) { m_selection.AnchorRow = row; }
    // Rows first to last, as a selection rectangle touches them.
    void SelectSpan(int first, int last) { m_selection.SelectSpan(first, last); }
    // Selects as a click with these MK_SHIFT / MK_CONTROL bits would; the
    // outcome says whether and with which cell to tell the parent.
    RowSelection::Outcome SelectAsClick(int row, int cell, UINT modifiers) {
        return m_selection.Select(row, cell, (modifiers & MK_SHIFT) != 0,
                                  (modifiers & MK_CONTROL) != 0, Options.SingleSelect);
    }
    bool GetCurrentCell(int& row, int& cell) const;
    void SetCurrentCell(int row, int cell);
    bool ScrollCellIntoView(int row, int cell);
    bool IsCellInView(int row, int cell, bool partial) const;

    // ---- Geometry -----------------------------------------------------

    bool IsRow(int row) const { return row >= 0 && row < RowCount(); }
    int GetVisibleRowCount(bool partial) const;
    RECT ClientRect() const;
    // The top of the item area, below the header band when it shows.
    int ItemTop() const { return Options.ShowHeader ? m_headerHeight : 0; }
    // In client coordinates, where the row is or, scrolled out of view,
    // would be: as wide as the columns, within the client area.
    RECT GetRowRect(int row) const;
    int ScrollPosition(int bar) const;
    // Where a scroll-box drag is (SIF_TRACKPOS).
    int TrackPosition(int bar) const;
    int ItemHeight() const { return ClientRect().bottom - ItemTop(); }
    bool IsScrolledToEnd(int bar) const;
    int FirstVisibleRow() const;
    // The content above the item area: whole rows, since the item area
    // always starts with a whole row whatever the vertical position.
    int RowScrollOffset() const { return FirstVisibleRow() * m_rowHeight; }
    // Where a cell's text goes: 3 pixels into the cell (4 in the first
    // column), then 4 more in from either side.
    RECT CellTextRect(RECT cell, int position) const;
    // Right edge of the columns in client coordinates.
    int ContentRight() const { return m_contentWidth - 1 - ScrollPosition(SB_HORZ); }
    bool CellFromPoint(int x, int y, int& row, int& cell) const;
    bool GetCellRect(int row, int cell, RECT& rect) const;
    void RedrawCell(int row, int cell);
    void RedrawHeader();
    void UpdateScrollBars(int bar, int position, bool recomputeWidth);
    void Invalidate();

    bool HasFocus() const { return ::GetFocus() == m_hWnd || IsEditActive(); }

    // A focused editor ends when the list takes the focus back.
    void EndEditByFocus();

    // ---- Notifications ------------------------------------------------

    LRESULT SendCellNotify(int row, int cellPosition, int code);
    void HideTitleTip(bool forget) { m_titleTips.Hide(forget); }

protected:
    // The column with this Id, or null.
    const ListColumn* FindColumn(int id) const;

    // Rows, columns or widths changed: new bars, full repaint. While redraw
    // is off only the content width follows; bars and repaint wait for
    // redraw to come back, so filling a list costs no window work per row.
    void RecalculateLayout();

    int SumOfWidths() const;

    // ---- Message handlers ---------------------------------------------

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&) { return Initialize() ? 0 : -1; }

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnSettingChange(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnFocusChange(UINT, WPARAM, LPARAM, BOOL& bHandled);

    // The system keeps its own flag first (it hides the window from
    // painting while off), then turning redraw on lays out and repaints once.
    LRESULT OnSetRedraw(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);

    // A column moved before another (as MoveColumnBefore): the cells that
    // name positions follow their columns. Concerns that keep a cell of
    // their own extend it.
    virtual void FollowMovedColumns(int position, int before);

    // The replaced procedure colours the editors' edit and list parts.
    LRESULT OnDefaultHandling(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&);

    // ---- Data ---------------------------------------------------------

    std::vector<ListColumn> m_columns;
    RowSelection m_selection;
    int m_contentWidth = 0;
    bool m_redraw = true;              // WM_SETREDRAW
    bool m_horzBarInUse = false;
    CListTitleTips m_titleTips;
};
