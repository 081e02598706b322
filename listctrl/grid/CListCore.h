#pragma once
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <vector>
#include <cwchar>

#include "framework/CBaseModule.h"
#include "framework/CUniqueHandle.h"
#include "framework/CWindowImpl.h"
#include "framework/IsThemingAvailable.h"
#include "listctrl/dragdrop/CDropArrows.h"
#include "listctrl/grid/CTitleTip.h"
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

// The grid's foundation: its window, options, columns, selection, metrics,
// geometry and owned resources. The layers above it (painting, header band,
// scrolling, editing, keyboard, mouse, header input) each add one concern
// and chain their message maps down to this one. T is the concrete list: it owns the rows and
// answers, by row and column Id,
//   int GetItemCount() const;
//   std::wstring GetItemText(int row, int columnId) const;
//   bool SetItemText(int row, int columnId, const std::wstring& text);
//   int GetCellKind(int row, int columnId) const;
//   unsigned GetCellFlags(int row, int columnId) const;
// and may replace Initialize() (the set-up run when its window is created).
template <class T>
class CListCore : public CWindowImpl<T> {
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
    // Layers that set up something of their own extend SetUp.
    bool Initialize() { return Self().SetUp(); }

    bool SetUp() {
        if (!RefreshMetrics()) return false;

        HWND hWnd = this->m_hWnd;
        ::SetWindowLongPtrW(hWnd, GWL_STYLE,
                            (::GetWindowLongPtrW(hWnd, GWL_STYLE) & ~LONG_PTR(WS_BORDER)) |
                                WS_CLIPCHILDREN);
        ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE,
                            (::GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_CLIENTEDGE)) |
                                WS_EX_STATICEDGE);
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        if (m_toolTip != nullptr) ::DestroyWindow(m_toolTip);
        m_toolTip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, 0, 0, 0, 0, hWnd, nullptr,
                                      CBaseModule::Get().GetModuleInstance(), nullptr);
        if (m_toolTip == nullptr) return false;
        ::SendMessageW(m_toolTip, TTM_SETMAXTIPWIDTH, 0, 0x7FFF);
        return true;
    }

    bool RefreshMetrics() {
        ++m_metricsGeneration;  // whatever follows may change, even if it fails
        TakeDpi();
        const bool rescaled = m_scale.Dpi() != m_scaledFor;
        if (rescaled && !LoadScaledResources()) return false;
        TakeColors();
        m_headerFormat = ::RegisterClipboardFormatW(L"HEADERCLIPBOARDFORMAT");
        UINT lines = 3;
        if (::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) m_wheelLines = lines;

        LOGFONTW font;
        if (!GetSystemMessageFont(font)) return false;
        CFontHandle normal(::CreateFontIndirectW(&font));
        font.lfUnderline = TRUE;
        CFontHandle underlined(::CreateFontIndirectW(&font));
        if (!normal || !underlined) return false;
        m_font = std::move(normal);
        m_underlinedFont = std::move(underlined);

        SIZE extent{};
        if (!MeasureText(L"Height", extent)) return false;
        if (extent.cy + 6 != m_rowHeight || rescaled) {
            m_rowHeight = m_headerHeight = extent.cy + 6;
            m_dropArrows.DestroyWindow();
            if (!m_dropArrows.Create(this->m_hWnd, m_headerHeight, true)) return false;
        }
        m_scaledFor = m_scale.Dpi();

        m_headerTheme.Reset();
        m_progressTheme.Reset();
        if (IsThemingAvailable()) {
            m_headerTheme.Reset(::OpenThemeData(this->m_hWnd, L"HEADER"));
            m_progressTheme.Reset(::OpenThemeData(this->m_hWnd, L"PROGRESS"));
        }

        m_titleTip.DestroyWindow();
        return m_titleTip.Create(this->m_hWnd, Options.UseThemes);
    }

    int GetRowHeight() const { return m_rowHeight; }
    int GetDpi() const { return m_scale.Dpi(); }
    int GetHeaderHeight() const { return m_headerHeight; }
    int GetWheelLines() const { return m_wheelLines; }
    UINT GetHeaderClipboardFormat() const { return m_headerFormat; }
    HIMAGELIST GetImageList() const { return m_images.Get(); }
    HFONT GetFont() const { return m_font.Get(); }
    bool IsThemed() const { return Options.UseThemes && m_headerTheme; }
    bool IsHorzBarInUse() const { return m_horzBarInUse; }

    // ---- Columns ------------------------------------------------------

    bool AddColumn(const std::wstring& title, int width, int image, bool fixed, int kind,
                   unsigned flags) {
        ListColumn column;
        column.Title = title;
        column.Width = std::max(width, 0);
        column.Image = image;
        column.Fixed = fixed ? 1 : 0;
        column.Kind = kind;
        column.Flags = flags;
        column.Normalize(ImageWidth(), m_scale);
        column.Id = GetColumnCount();
        m_columns.push_back(std::move(column));
        RecalculateLayout();
        return true;
    }

    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }

    bool GetColumn(int position, ListColumn& column) const {
        if (!IsColumn(position)) return false;
        column = m_columns[position];
        return true;
    }

    int GetColumnWidth(int position) const {
        return IsColumn(position) ? m_columns[position].Width : 0;
    }

    bool SetColumnWidth(int position, int width) {
        if (!IsColumn(position)) return false;
        if (m_columns[position].Fixed) return true;
        // A negative width would pull the following columns over this one.
        m_columns[position].Width = std::max(width, 0);
        RecalculateLayout();
        return true;
    }

    int GetColumnId(int position) const { return IsColumn(position) ? m_columns[position].Id : 0; }

    int FindColumnById(int id) const {
        for (int position = 0; position < GetColumnCount(); ++position)
            if (m_columns[position].Id == id) return position;
        return -1;
    }

    bool GetColumnHeaderRect(int position, RECT& rect) const {
        if (!IsColumn(position)) return false;
        int left = -ScrollPosition(SB_HORZ);
        for (int i = 0; i < position; ++i) left += m_columns[i].Width;
        rect = RECT{left, 0, left + m_columns[position].Width, m_headerHeight};
        return true;
    }

    int GetContentWidth(bool recompute) {
        if (recompute) m_contentWidth = SumOfWidths();
        return m_contentWidth - 1;
    }

    // ---- Cells --------------------------------------------------------

    // The date of a date cell; false (and an all-zero date) without one.
    bool GetCellDate(int row, int columnId, SYSTEMTIME& date) const {
        return CellDateText::ToDate(Self().GetItemText(row, columnId), date);
    }

    // Stores a date as its key; false, leaving the cell alone, when a field
    // does not fit the key or the row does not exist.
    bool SetCellDate(int row, int columnId, const SYSTEMTIME& date) {
        std::wstring key;
        return CellDateText::ToKey(date, key) && Self().SetItemText(row, columnId, key);
    }

    static std::wstring FormatCellDate(const SYSTEMTIME& date) { return CellDateText::FormatDate(date); }
    static std::wstring FormatCellTime(const SYSTEMTIME& date) { return CellDateText::FormatTime(date); }

    // The text a date cell shows: date, time or both as its flags ask.
    std::wstring FormatCellDateTime(int row, int columnId) const {
        SYSTEMTIME date;
        if (!GetCellDate(row, columnId, date)) return std::wstring();
        return CellDateText::Format(date, Self().GetCellFlags(row, columnId));
    }

    // The owner removed row `row` from its array: renumber the selection,
    // resize the bars, repaint.
    void ItemRemoved(int row) {
        m_selection.ItemRemoved(row);
        RecalculateLayout();
    }

    // ---- Selection ----------------------------------------------------

    bool IsRowSelected(int row) const { return m_selection.IsSelected(row); }
    const RowSelection& GetSelection() const { return m_selection; }

    void ClearSelection() {
        m_selection.Clear();
        Invalidate();
    }

    bool GetCurrentCell(int& row, int& cell) const {
        return m_selection.GetCurrent(Options.CellFocus, row, cell);
    }

    void SetCurrentCell(int row, int cell) {
        m_selection.CurrentRow = row;
        m_selection.CurrentCell = cell;
        ScrollCellIntoView(row, cell);
    }

    bool ScrollCellIntoView(int row, int cell) {
        if (IsCellInView(row, cell, false)) return true;
        HideTitleTip(true);
        const int first = FirstVisibleRow();
        const int top = ItemTop() + (row - first) * m_rowHeight;
        RECT client = ClientRect();
        int newFirst = first;
        if (top < ItemTop())
            newFirst = row;
        else if (top + m_rowHeight > client.bottom && ItemHeight() >= m_rowHeight)
            newFirst = row + 1 - GetVisibleRowCount(false);
        if (newFirst != first) ::SetScrollPos(this->m_hWnd, SB_VERT, newFirst * m_rowHeight, TRUE);

        if (Options.CellFocus && cell != -1) {
            RECT header;
            if (!GetColumnHeaderRect(cell, header)) return false;
            const int width = header.right - header.left;
            int shift = 0;
            if (width > client.right || header.left < 0)
                shift = header.left;
            else if (header.right > client.right)
                shift = header.right - client.right;
            if (shift != 0)
                ::SetScrollPos(this->m_hWnd, SB_HORZ, ScrollPosition(SB_HORZ) + shift, TRUE);
        }
        Invalidate();
        return true;
    }

    bool IsCellInView(int row, int cell, bool partial) const {
        const int first = FirstVisibleRow();
        if (row < first || row >= first + GetVisibleRowCount(partial)) return false;
        if (!Options.CellFocus || cell == -1) return true;
        RECT header;
        return GetColumnHeaderRect(cell, header) && header.left >= 0 &&
               header.right <= ClientRect().right;
    }

    // ---- Geometry -----------------------------------------------------

    int GetVisibleRowCount(bool partial) const {
        return ScrollArithmetic::VisibleRowCount(ItemHeight(), m_rowHeight, partial);
    }

    bool CellFromPoint(int x, int y, int& row, int& cell) const {
        row = cell = -1;
        if (y < ItemTop() || m_rowHeight <= 0) return false;
        const int hit = (y - ItemTop()) / m_rowHeight + FirstVisibleRow();
        if (!IsRow(hit)) return false;
        row = hit;
        int left = -ScrollPosition(SB_HORZ);
        for (int position = 0; position < GetColumnCount(); ++position) {
            const int right = left + m_columns[position].Width;
            if (left < x && x < right) {
                cell = position;
                return true;
            }
            left = right;
        }
        return false;
    }

    bool GetCellRect(int row, int cell, RECT& rect) const {
        const int first = FirstVisibleRow();
        if (!IsRow(row) || row < first || row >= first + GetVisibleRowCount(true)) return false;
        const RECT client = ClientRect();
        const int top = ItemTop() + (row - first) * m_rowHeight;
        rect = RECT{client.left, top, std::min<int>(client.right, ContentRight()),
                    top + m_rowHeight};
        if (cell == -1) return true;
        RECT header;
        if (!GetColumnHeaderRect(cell, header)) return false;
        rect.left = header.left;
        rect.right = header.right;
        return true;
    }

    void RedrawCell(int row, int cell) {
        RECT rect;
        if (GetCellRect(row, cell, rect)) ::InvalidateRect(this->m_hWnd, &rect, FALSE);
    }

    void RedrawHeader() {
        if (!Options.ShowHeader) return;
        RECT band = ClientRect();
        band.bottom = m_headerHeight;
        ::InvalidateRect(this->m_hWnd, &band, FALSE);
    }

    void UpdateScrollBars(int bar, int position, bool recomputeWidth) {
        if (!this->IsWindow()) return;
        const RECT client = ClientRect();
        SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
        if (position >= 0) {
            info.fMask |= SIF_POS;
            info.nPos = position;
        }
        if ((bar == SB_VERT || bar == SB_BOTH) && Options.VertScroll) {
            const auto range = ScrollArithmetic::VerticalRange(ItemTop(), Self().GetItemCount(),
                                                               m_rowHeight, client.bottom);
            info.nMax = range.Max;
            info.nPage = static_cast<UINT>(range.Page);
            ::SetScrollInfo(this->m_hWnd, SB_VERT, &info, TRUE);
        }
        if ((bar == SB_HORZ || bar == SB_BOTH) && Options.HorzScroll) {
            if (recomputeWidth) m_contentWidth = SumOfWidths();
            const RECT after = ClientRect();  // the vertical bar may have changed it
            const auto range = ScrollArithmetic::HorizontalRange(m_contentWidth, after.right);
            info.nMax = range.Max;
            info.nPage = static_cast<UINT>(range.Page);
            ::SetScrollInfo(this->m_hWnd, SB_HORZ, &info, TRUE);
            m_horzBarInUse = range.Max != 0;
        }
    }

    // ---- Notifications ------------------------------------------------

    LRESULT SendCellNotify(int row, int cellPosition, int code) {
        NMGRIDCELL notify{};
        notify.hdr.hwndFrom = this->m_hWnd;
        notify.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(this->m_hWnd));
        notify.hdr.code = static_cast<UINT>(code);
        notify.Item = row;
        notify.SubItem = GetColumnId(cellPosition);
        HWND parent = ::GetParent(this->m_hWnd);
        if (parent == nullptr) return 0;
        return ::SendMessageW(parent, WM_NOTIFY, notify.hdr.idFrom,
                              reinterpret_cast<LPARAM>(&notify));
    }

    void HideTitleTip(bool forget) {
        if (forget) m_titleTipRow = m_titleTipCell = -1;
        m_titleTip.Hide();
    }

protected:
    T& Self() { return *static_cast<T*>(this); }
    const T& Self() const { return *static_cast<const T*>(this); }

    bool IsColumn(int position) const { return position >= 0 && position < GetColumnCount(); }
    bool IsRow(int row) const { return row >= 0 && row < Self().GetItemCount(); }
    // The column with this Id, or null.
    const ListColumn* FindColumn(int id) const {
        const int position = FindColumnById(id);
        return position == -1 ? nullptr : &m_columns[position];
    }

    // Rows, columns or widths changed: new bars, full repaint. While redraw
    // is off only the content width follows; bars and repaint wait for
    // redraw to come back, so filling a list costs no window work per row.
    void RecalculateLayout() {
        m_contentWidth = SumOfWidths();
        if (!m_redraw) return;
        UpdateScrollBars(SB_BOTH, -1, false);
        Invalidate();
    }

    void Invalidate() {
        if (this->IsWindow()) ::InvalidateRect(this->m_hWnd, nullptr, FALSE);
    }

    RECT ClientRect() const {
        RECT client{};
        ::GetClientRect(this->m_hWnd, &client);
        return client;
    }
    int ItemTop() const { return Options.ShowHeader ? m_headerHeight : 0; }
    int ItemHeight() const { return ClientRect().bottom - ItemTop(); }
    int FirstVisibleRow() const {
        return ScrollArithmetic::FirstVisibleRow(ScrollPosition(SB_VERT), m_rowHeight);
    }
    // The content above the item area: whole rows, since the item area
    // always starts with a whole row whatever the vertical position.
    int RowScrollOffset() const { return FirstVisibleRow() * m_rowHeight; }
    int ScrollPosition(int bar) const {
        SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, 0, 0};
        return ::GetScrollInfo(this->m_hWnd, bar, &info) ? info.nPos : 0;
    }
    bool IsScrolledToEnd(int bar) const {
        SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
        if (!::GetScrollInfo(this->m_hWnd, bar, &info) || info.nMax == 0) return true;
        return info.nPos >= info.nMax - static_cast<int>(info.nPage) + 1;
    }
    // Right edge of the columns in client coordinates.
    int ContentRight() const { return m_contentWidth - 1 - ScrollPosition(SB_HORZ); }
    int SumOfWidths() const {
        int sum = 0;
        for (const ListColumn& column : m_columns) sum += column.Width;
        return sum;
    }
    int ImageWidth() const {
        int width = Scale(IMAGE_SIZE), height = width;
        if (m_images) ::ImageList_GetIconSize(m_images.Get(), &width, &height);
        return width;
    }
    // A measure in pixels at 96 DPI, in pixels at the window's DPI.
    int Scale(int value) const { return m_scale.Scale(value); }
    // Reads the window's DPI; the defaults a list sets before its set-up
    // take it from here.
    void TakeDpi() { m_scale = DpiScale(GetWindowDpi(this->m_hWnd)); }

    // Where a cell's text goes: 3 pixels into the cell (4 in the first
    // column), then 4 more in from either side.
    RECT CellTextRect(RECT cell, int position) const {
        cell.left += Scale(position == 0 ? 4 : 3);
        ::InflateRect(&cell, -Scale(4), 0);
        return cell;
    }

    bool HasFocus() const { return ::GetFocus() == this->m_hWnd || m_editActive; }

    bool MeasureText(const wchar_t* text, SIZE& extent) const {
        HDC hdc = ::GetDC(this->m_hWnd);
        if (hdc == nullptr) return false;
        HGDIOBJ old = ::SelectObject(hdc, m_font.Get());
        const BOOL measured =
            ::GetTextExtentPoint32W(hdc, text, static_cast<int>(std::wcslen(text)), &extent);
        ::SelectObject(hdc, old);
        ::ReleaseDC(this->m_hWnd, hdc);
        return measured != FALSE;
    }

    // The images and cursors drawn at the window's DPI; the ones in use
    // stay when new ones cannot be made.
    bool LoadScaledResources() {
        const HINSTANCE resources = CBaseModule::Get().GetResourceInstance();
        CImageListHandle images(LoadScaledImageList(resources, IDB_LIST_IMAGES, Scale(IMAGE_SIZE)));
        CCursorHandle divider(LoadScaledCursor(resources, IDC_LIST_DIVIDER));
        CCursorHandle link(LoadScaledCursor(resources, IDC_LIST_LINK));
        if (!images || !divider || !link) return false;
        m_images = std::move(images);
        m_dividerCursor = std::move(divider);
        m_linkCursor = std::move(link);
        return true;
    }

    // Stretched from the 32x32 drawing; the hot spot moves with it.
    HCURSOR LoadScaledCursor(HINSTANCE resources, int id) const {
        const int size = Scale(CURSOR_SIZE);
        return static_cast<HCURSOR>(::LoadImageW(resources, MAKEINTRESOURCEW(id), IMAGE_CURSOR,
                                                 size, size, LR_DEFAULTCOLOR));
    }

    void TakeColors() {
        m_colors.Background = ::GetSysColor(COLOR_WINDOW);
        m_colors.HeaderFace = ::GetSysColor(COLOR_BTNFACE);
        m_colors.Light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        m_colors.Shadow = ::GetSysColor(COLOR_BTNSHADOW);
        m_colors.HeaderText = ::GetSysColor(COLOR_WINDOWTEXT);
        m_colors.SelectedFill = ::GetSysColor(COLOR_HIGHLIGHT);
        m_colors.SelectedText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        m_colors.CellText = ::GetSysColor(COLOR_WINDOWTEXT);
    }

    // A focused editor ends when the list takes the focus back.
    void EndEditByFocus() {
        if (m_editActive) ::SetFocus(this->m_hWnd);
    }

    // ---- Message handlers ---------------------------------------------

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&) { return Self().Initialize() ? 0 : -1; }

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        m_dropArrows.DestroyWindow();
        m_titleTip.DestroyWindow();
        if (m_toolTip != nullptr) ::DestroyWindow(m_toolTip);
        m_toolTip = nullptr;
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnSettingChange(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        // A failure keeps the metrics drawn with so far.
        RefreshMetrics();
        RecalculateLayout();
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) {
        return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    }

    LRESULT OnFocusChange(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        Invalidate();
        bHandled = FALSE;
        return 0;
    }

    // The system keeps its own flag first (it hides the window from
    // painting while off), then turning redraw on lays out and repaints once.
    LRESULT OnSetRedraw(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&) {
        const LRESULT result = this->DefWindowProc(uMsg, wParam, lParam);
        m_redraw = wParam != FALSE;
        RecalculateLayout();
        return result;
    }

    // The replaced procedure colours the editors' edit and list parts.
    LRESULT OnDefaultHandling(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&) {
        return this->DefWindowProc(uMsg, wParam, lParam);
    }

    int TrackPosition(int bar) const {
        SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        return ::GetScrollInfo(this->m_hWnd, bar, &info) ? info.nTrackPos : 0;
    }

    struct Colors {
        COLORREF Background, HeaderFace, Light, Shadow, HeaderText, SelectedFill, SelectedText,
            CellText;
    };

    // Sizes of the drawn images and cursors at 96 DPI.
    enum : int { IMAGE_SIZE = 16, CURSOR_SIZE = 32 };

    // ---- Data ---------------------------------------------------------

    std::vector<ListColumn> m_columns;
    RowSelection m_selection;
    Colors m_colors{};
    int m_rowHeight = 0;
    int m_headerHeight = 0;
    UINT m_wheelLines = 3;
    int m_contentWidth = 0;
    bool m_redraw = true;              // WM_SETREDRAW
    unsigned m_metricsGeneration = 0;  // counts RefreshMetrics: fonts, colours, themes
    bool m_horzBarInUse = false;
    UINT m_headerFormat = 0;
    int m_titleTipRow = -1, m_titleTipCell = -1;
    bool m_editActive = false;
    DpiScale m_scale;
    int m_scaledFor = 0;  // the DPI of the images, cursors and drop arrows

    CImageListHandle m_images;
    CCursorHandle m_dividerCursor;
    CCursorHandle m_linkCursor;
    CFontHandle m_font;
    CFontHandle m_underlinedFont;
    CThemeHandle m_headerTheme;
    CThemeHandle m_progressTheme;
    HWND m_toolTip = nullptr;  // destroyed with the list window
    CTitleTip m_titleTip;
    CDropArrows m_dropArrows;
};
