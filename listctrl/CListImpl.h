#pragma once
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "framework/CBaseModule.h"
#include "framework/CDoubleBufferImpl.h"
#include "framework/CUniqueHandle.h"
#include "framework/CWindowImpl.h"
#include "framework/IsThemingAvailable.h"
#include "listctrl/CDropArrows.h"
#include "listctrl/CTitleTip.h"
#include "listctrl/DateKey.h"
#include "listctrl/ListColumn.h"
#include "listctrl/ListDrawing.h"
#include "listctrl/ListOptions.h"
#include "listctrl/ListResources.h"
#include "listctrl/NMGRIDCELL.h"
#include "listctrl/RowSelection.h"
#include "listctrl/ScrollAnimation.h"
#include "listctrl/ScrollArithmetic.h"
#include "listctrl/SystemMessageFont.h"

// A grid window of typed cells with a header band, drawn by itself. T is the
// concrete list: it owns the rows and answers, by row and column Id,
//   int GetItemCount() const;
//   std::wstring GetItemText(int row, int columnId) const;
//   bool SetItemText(int row, int columnId, const std::wstring& text);
//   int GetCellKind(int row, int columnId) const;
//   unsigned GetCellFlags(int row, int columnId) const;
// and may replace Initialize() (the set-up run when its window is created).
template <class T>
class CListImpl : public CWindowImpl<T>, public CDoubleBufferImpl<T> {
public:
    enum Timer : UINT_PTR { TIMER_SCROLL_ANIMATION = 1004 };
    enum Image { IMAGE_ARROW_UP = 0, IMAGE_ARROW_DOWN = 1, IMAGE_BOX = 2, IMAGE_BLUE_CHECK = 3,
                 IMAGE_GREEN_CHECK = 4, IMAGE_RED_CROSS = 5 };
    static constexpr UINT TEXT_FORMAT = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

    ListOptions Options;

    CListImpl() = default;

    using CWindowImpl<T>::ReflectNotifications;

    BEGIN_MSG_MAP(CListImpl)
        MESSAGE_HANDLER(WM_CREATE, OnCreate)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_SYSCOLORCHANGE, OnSettingChange)
        MESSAGE_HANDLER(WM_SETTINGCHANGE, OnSettingChange)
        MESSAGE_HANDLER(WM_FONTCHANGE, OnSettingChange)
        MESSAGE_HANDLER(WM_THEMECHANGED, OnSettingChange)
        MESSAGE_HANDLER(WM_SIZE, OnSize)
        MESSAGE_HANDLER(WM_VSCROLL, OnVScroll)
        MESSAGE_HANDLER(WM_HSCROLL, OnHScroll)
        MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
        MESSAGE_HANDLER(WM_SETFOCUS, OnFocusChange)
        MESSAGE_HANDLER(WM_KILLFOCUS, OnFocusChange)
        MESSAGE_HANDLER(WM_CTLCOLOREDIT, OnDefaultHandling)
        MESSAGE_HANDLER(WM_CTLCOLORLISTBOX, OnDefaultHandling)
        CHAIN_MSG_MAP(CDoubleBufferImpl<T>)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    // ---- Set-up -------------------------------------------------------

    // The set-up of a list whose window was just created or attached.
    bool Initialize() { return SetUp(); }

    bool SetUp() {
        const HINSTANCE resources = CBaseModule::Get().GetResourceInstance();
        m_images.Reset(::ImageList_LoadImageW(resources, MAKEINTRESOURCEW(IDB_LIST_IMAGES), 16, 0,
                                              RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
        m_dividerCursor.Reset(static_cast<HCURSOR>(::LoadImageW(
            resources, MAKEINTRESOURCEW(IDC_LIST_DIVIDER), IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR)));
        m_linkCursor.Reset(static_cast<HCURSOR>(::LoadImageW(
            resources, MAKEINTRESOURCEW(IDC_LIST_LINK), IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR)));
        if (!m_images || !m_dividerCursor || !m_linkCursor) return false;
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
        if (extent.cy + 6 != m_rowHeight) {
            m_rowHeight = m_headerHeight = extent.cy + 6;
            m_dropArrows.DestroyWindow();
            if (!m_dropArrows.Create(this->m_hWnd, m_headerHeight, true)) return false;
        }

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
    int GetHeaderHeight() const { return m_headerHeight; }
    int GetWheelLines() const { return m_wheelLines; }
    UINT GetHeaderClipboardFormat() const { return m_headerFormat; }
    HIMAGELIST GetImageList() const { return m_images.Get(); }
    HFONT GetFont() const { return m_font.Get(); }
    bool IsThemed() const { return Options.UseThemes && m_headerTheme; }
    bool IsHorzBarInUse() const { return m_horzBarInUse; }
    bool IsAnimating() const { return m_animation.Running(); }

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
        column.Normalize(ImageWidth());
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
        date = SYSTEMTIME{};
        DateKey key;
        if (!DateKey::Parse(Self().GetItemText(row, columnId), key)) return false;
        date.wYear = static_cast<WORD>(key.Year);
        date.wMonth = static_cast<WORD>(key.Month);
        date.wDay = static_cast<WORD>(key.Day);
        date.wHour = static_cast<WORD>(key.Hour);
        date.wMinute = static_cast<WORD>(key.Minute);
        date.wSecond = static_cast<WORD>(key.Second);
        return true;
    }

    // Stores a date as its key; false, leaving the cell alone, when a field
    // does not fit the key or the row does not exist.
    bool SetCellDate(int row, int columnId, const SYSTEMTIME& date) {
        const DateKey key{date.wYear, date.wMonth, date.wDay, date.wHour, date.wMinute, date.wSecond};
        std::wstring text;
        return key.Format(text) && Self().SetItemText(row, columnId, text);
    }

    // The short date of the user's locale; empty for year 0.
    static std::wstring FormatCellDate(const SYSTEMTIME& date) {
        wchar_t text[32] = L"";
        if (date.wYear == 0 ||
            ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 32) == 0)
            return std::wstring();
        return text;
    }

    static std::wstring FormatCellTime(const SYSTEMTIME& date) {
        SYSTEMTIME time = date;
        time.wYear = time.wMonth = time.wDay = 0;
        wchar_t text[32] = L"";
        if (::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, 32) == 0)
            return std::wstring();
        return text;
    }

    // The text a date cell shows: date, time or both as its flags ask.
    std::wstring FormatCellDateTime(int row, int columnId) const {
        SYSTEMTIME date;
        if (!GetCellDate(row, columnId, date)) return std::wstring();
        const unsigned flags = Self().GetCellFlags(row, columnId);
        if (flags & CELLF_DATE_ONLY) return FormatCellDate(date);
        if (flags & CELLF_TIME_ONLY) return FormatCellTime(date);
        return FormatCellDate(date) + L" " + FormatCellTime(date);
    }

    // The owner removed row `row` from its array: renumber the selection,
    // resize the bars, repaint.
    void ItemRemoved(int row) {
        m_selection.ItemRemoved(row);
        RecalculateLayout();
    }

    // ---- Selection ----------------------------------------------------

    bool SelectRow(int row, int cell, UINT modifiers) {
        if (!IsRow(row)) return false;
        const RowSelection::Outcome outcome =
            m_selection.Select(row, cell, (modifiers & MK_SHIFT) != 0,
                               (modifiers & MK_CONTROL) != 0, Options.SingleSelect);
        if (outcome.Notify) SendCellNotify(row, outcome.ReportedCell, GLN_SELECTED);
        Invalidate();
        return true;
    }

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

    // ---- Painting -----------------------------------------------------

    // The whole paint pass for the part of the client area in clip.
    void DoPaint(HDC hdc, const RECT& clip) {
        const int saved = ::SaveDC(hdc);
        ListDrawing::FillSolid(hdc, clip, m_colors.Background);
        ::SetBkMode(hdc, TRANSPARENT);
        if (m_strip)
            PaintAnimationFrame(hdc);
        else
            PaintRows(hdc, clip);
        if (m_rectangleActive) PaintSelectionRectangle(hdc);
        if (Options.ShowHeader && clip.top < m_headerHeight) PaintHeader(hdc, clip);
        ::RestoreDC(hdc, saved);
    }

    void HideTitleTip(bool forget) {
        if (forget) m_titleTipRow = m_titleTipCell = -1;
        m_titleTip.Hide();
    }

protected:
    struct Colors {
        COLORREF Background, HeaderFace, Light, Shadow, HeaderText, SelectedFill, SelectedText,
            CellText;
    };
    static constexpr COLORREF PRESSED_HEADER = 0xB48C82;
    static constexpr COLORREF FRAME_OUTER_FOCUSED = 0xF5C8AA, FRAME_INNER_FOCUSED = 0xFAFAE6;
    static constexpr COLORREF GRADIENT_TOP_FOCUSED = 0xFAF0D2, GRADIENT_BOTTOM_FOCUSED = 0xFAD7B9;
    static constexpr COLORREF GRADIENT_TOP_UNFOCUSED = 0xFAFAFA, GRADIENT_BOTTOM_UNFOCUSED = 0xEBEBEB;
    static constexpr COLORREF FRAME_OUTER_UNFOCUSED = 0xDCDCDC, FRAME_INNER_UNFOCUSED = 0xF5F5F5;
    static constexpr COLORREF CURRENT_TOP = 0xF5F5EB, CURRENT_BOTTOM = 0xF5EBE1;
    static constexpr COLORREF PROGRESS_TOP = 0xAAF0AA, PROGRESS_BOTTOM = 0x32D22D;
    static constexpr COLORREF CURRENT_CLASSIC = 0xD2BEB4;
    static constexpr COLORREF LINK_TEXT = 0xC80000;

    T& Self() { return *static_cast<T*>(this); }
    const T& Self() const { return *static_cast<const T*>(this); }

    bool IsColumn(int position) const { return position >= 0 && position < GetColumnCount(); }
    bool IsRow(int row) const { return row >= 0 && row < Self().GetItemCount(); }
    // The column with this Id, or null.
    const ListColumn* FindColumn(int id) const {
        const int position = FindColumnById(id);
        return position == -1 ? nullptr : &m_columns[position];
    }

    // Rows, columns or widths changed: new bars, full repaint.
    void RecalculateLayout() {
        UpdateScrollBars(SB_BOTH, -1, true);
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
        int width = 16, height = 16;
        if (m_images) ::ImageList_GetIconSize(m_images.Get(), &width, &height);
        return width;
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
        StopAnimation();
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

    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        StopAnimation();
        EndEditByFocus();
        UpdateScrollBars(SB_BOTH, -1, false);
        Invalidate();
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnVScroll(UINT, WPARAM wParam, LPARAM, BOOL&) {
        EndEditByFocus();
        HideTitleTip(true);
        const int request = LOWORD(wParam);
        if (request == SB_ENDSCROLL) {
            m_animationStarted = false;
            return 0;
        }
        const int position = ScrollPosition(SB_VERT);
        int target = 0;
        if (!ScrollArithmetic::VerticalTarget(request, position, m_rowHeight, ItemHeight(),
                                              Self().GetItemCount(), TrackPosition(SB_VERT),
                                              target))
            return 0;
        const bool animate = Options.SmoothScroll && !m_animationStarted && request <= SB_PAGEDOWN;
        const int oldFirst = FirstVisibleRow();
        StopAnimation();
        UpdateScrollBars(SB_VERT, target, false);
        if (animate) {
            StartAnimation(oldFirst, FirstVisibleRow());
        } else {
            ::RedrawWindow(this->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        return 0;
    }

    LRESULT OnHScroll(UINT, WPARAM wParam, LPARAM, BOOL&) {
        StopAnimation();
        EndEditByFocus();
        HideTitleTip(true);
        int target = 0;
        if (ScrollArithmetic::HorizontalTarget(LOWORD(wParam), ScrollPosition(SB_HORZ),
                                               ClientRect().right, m_contentWidth,
                                               TrackPosition(SB_HORZ), target)) {
            ::SetScrollPos(this->m_hWnd, SB_HORZ, target, TRUE);
            Invalidate();
        }
        return 0;
    }

    LRESULT OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&) {
        HideTitleTip(true);
        EndEditByFocus();
        const int target = ScrollArithmetic::WheelTarget(
            ScrollPosition(SB_VERT), GET_WHEEL_DELTA_WPARAM(wParam),
            static_cast<int>(std::min<UINT>(m_wheelLines, 1000)), m_rowHeight);
        UpdateScrollBars(SB_VERT, target, false);
        Invalidate();
        return 1;
    }

    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
        if (wParam != TIMER_SCROLL_ANIMATION) {
            bHandled = FALSE;
            return 0;
        }
        if (!m_animation.Tick() || !m_strip) {
            StopAnimation();
            return 0;
        }
        RedrawItemArea();
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

    // The replaced procedure colours the editors' edit and list parts.
    LRESULT OnDefaultHandling(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&) {
        return this->DefWindowProc(uMsg, wParam, lParam);
    }

    int TrackPosition(int bar) const {
        SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        return ::GetScrollInfo(this->m_hWnd, bar, &info) ? info.nTrackPos : 0;
    }

    // ---- Scroll animation ---------------------------------------------

    void StartAnimation(int fromRow, int toRow) {
        if (!m_animation.Start(fromRow, toRow, m_rowHeight) || !RenderAnimationStrip()) {
            StopAnimation();
            return;
        }
        m_animationStarted = true;
        ::SetTimer(this->m_hWnd, TIMER_SCROLL_ANIMATION, 20, nullptr);
        RedrawItemArea();
    }

    void StopAnimation() {
        if (!m_animation.Running() && !m_strip) return;
        ::KillTimer(this->m_hWnd, TIMER_SCROLL_ANIMATION);
        m_animation.Stop();
        m_strip.Reset();
        Invalidate();
    }

    // Renders the rows the animation passes over, once, into a strip.
    bool RenderAnimationStrip() {
        const RECT client = ClientRect();
        const int rows = GetVisibleRowCount(true) + m_animation.RowDistance();
        const RECT strip{0, 0, client.right, rows * m_rowHeight};
        if (strip.right <= 0 || strip.bottom <= 0) return false;
        HDC screen = ::GetDC(this->m_hWnd);
        CMemoryDCHandle memory(::CreateCompatibleDC(screen));
        m_strip.Reset(::CreateCompatibleBitmap(screen, strip.right, strip.bottom));
        ::ReleaseDC(this->m_hWnd, screen);
        if (!memory || !m_strip) return false;
        HGDIOBJ old = ::SelectObject(memory.Get(), m_strip.Get());
        ListDrawing::FillSolid(memory.Get(), strip, m_colors.Background);
        ::SetBkMode(memory.Get(), TRANSPARENT);
        const int left = -ScrollPosition(SB_HORZ);
        const bool focused = HasFocus();
        for (int row = m_animation.TopRow(), y = 0; row < Self().GetItemCount() && y < strip.bottom;
             ++row, y += m_rowHeight)
            PaintRow(memory.Get(), row, RECT{left, y, left + m_contentWidth - 1, y + m_rowHeight},
                     strip, focused);
        ::SelectObject(memory.Get(), old);
        return true;
    }

    void PaintAnimationFrame(HDC hdc) {
        CMemoryDCHandle memory(::CreateCompatibleDC(hdc));
        if (!memory) return;
        BITMAP info{};
        ::GetObjectW(m_strip.Get(), sizeof(info), &info);
        HGDIOBJ old = ::SelectObject(memory.Get(), m_strip.Get());
        const int source =
            m_animation.SourceY(info.bmHeight, GetVisibleRowCount(true), m_rowHeight);
        ::BitBlt(hdc, 0, ItemTop(), info.bmWidth, ItemHeight(), memory.Get(), 0, source, SRCCOPY);
        ::SelectObject(memory.Get(), old);
    }

    void RedrawItemArea() {
        RECT area = ClientRect();
        area.top = ItemTop();
        ::RedrawWindow(this->m_hWnd, &area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    // ---- Rows and cells -----------------------------------------------

    void PaintRows(HDC hdc, const RECT& clip) {
        const int left = -ScrollPosition(SB_HORZ);
        // Without metrics (a failed set-up) there are no rows to place.
        if (left >= clip.right || m_rowHeight <= 0) return;
        const int count = Self().GetItemCount();
        const bool focused = HasFocus();
        for (int row = FirstVisibleRow(), y = ItemTop(); row < count && y < clip.bottom;
             ++row, y += m_rowHeight) {
            if (y + m_rowHeight <= clip.top) continue;
            PaintRow(hdc, row, RECT{left, y, left + m_contentWidth - 1, y + m_rowHeight}, clip,
                     focused);
        }
    }

    void PaintRow(HDC hdc, int row, const RECT& rowRect, const RECT& clip, bool focused) {
        const bool selected = m_selection.IsSelected(row);
        if (selected) {
            if (IsThemed()) {
                const RECT inside = ListDrawing::DrawRoundedFrame(
                    hdc, rowRect, focused ? FRAME_OUTER_FOCUSED : FRAME_OUTER_UNFOCUSED,
                    focused ? FRAME_INNER_FOCUSED : FRAME_INNER_UNFOCUSED, m_colors.Background);
                ListDrawing::FillGradient(hdc, inside,
                                          focused ? GRADIENT_TOP_FOCUSED : GRADIENT_TOP_UNFOCUSED,
                                          focused ? GRADIENT_BOTTOM_FOCUSED : GRADIENT_BOTTOM_UNFOCUSED);
            } else {
                ListDrawing::FillSolid(hdc, rowRect, m_colors.SelectedFill);
            }
        }
        int x = rowRect.left;
        for (int position = 0; position < GetColumnCount(); ++position) {
            const ListColumn& column = m_columns[position];
            const RECT cell{x, rowRect.top, x + column.Width, rowRect.bottom};
            x = cell.right;
            if (cell.left >= clip.right) break;
            // The owner draws the rest of the row.
            if (Self().GetCellKind(row, column.Id) == CELL_OWNERDRAW) break;
            if (cell.right <= clip.left || column.Width == 1) continue;
            PaintCell(hdc, row, position, cell, selected, focused);
        }
    }

    bool IsCurrentCell(int row, int position) const {
        return Options.CellFocus && row == m_selection.CurrentRow &&
               position == m_selection.CurrentCell;
    }

    void PaintCurrentCell(HDC hdc, const RECT& cell, bool focused) {
        if (!IsThemed()) {
            if (m_editActive) {
                ListDrawing::FillSolid(hdc, cell, m_colors.Background);
                ListDrawing::FrameSolid(hdc, cell, CURRENT_CLASSIC);
            } else {
                ListDrawing::FillSolid(hdc, cell, CURRENT_CLASSIC);
            }
        } else if (focused) {
            const RECT inside = ListDrawing::DrawRoundedFrame(
                hdc, cell, FRAME_OUTER_FOCUSED, FRAME_INNER_FOCUSED, m_colors.Background);
            if (m_editActive)
                ListDrawing::FillSolid(hdc, inside, m_colors.Background);
            else
                ListDrawing::FillGradient(hdc, inside, CURRENT_TOP, CURRENT_BOTTOM);
        }
    }

    void PaintCell(HDC hdc, int row, int position, const RECT& cell, bool selected, bool focused) {
        const int id = m_columns[position].Id;
        const bool current = IsCurrentCell(row, position);
        if (current) PaintCurrentCell(hdc, cell, focused);

        RECT text = cell;
        text.left += position == 0 ? 4 : 3;
        ::InflateRect(&text, -4, 0);
        if (text.right <= text.left || text.bottom <= text.top) return;

        const unsigned flags = Self().GetCellFlags(row, id);
        const bool classicSelected = selected && !IsThemed() && !current;
        ::SetTextColor(hdc, classicSelected ? m_colors.SelectedText : m_colors.CellText);
        ::SelectObject(hdc, m_font.Get());

        switch (Self().GetCellKind(row, id)) {
        case CELL_DATETIME:
            DrawCellText(hdc, FormatCellDateTime(row, id), text, flags);
            break;
        case CELL_CHECK:
            DrawCellImage(hdc, CheckImage(Self().GetItemText(row, id), false), text, cell);
            break;
        case CELL_TRISTATE:
            DrawCellImage(hdc, CheckImage(Self().GetItemText(row, id), true), text, cell);
            break;
        case CELL_LINK:
            if (!classicSelected) ::SetTextColor(hdc, LINK_TEXT);
            if (row == m_hotRow && position == m_hotCell && !(flags & CELLF_READONLY))
                ::SelectObject(hdc, m_underlinedFont.Get());
            DrawCellText(hdc, Self().GetItemText(row, id), text, flags);
            break;
        case CELL_PROGRESS:
            PaintProgress(hdc, cell, Percentage(Self().GetItemText(row, id)), flags);
            break;
        default:
            DrawCellText(hdc, Self().GetItemText(row, id), text, flags);
            break;
        }
    }

    static void DrawCellText(HDC hdc, const std::wstring& text, RECT rect, unsigned flags) {
        if (text.empty()) return;
        UINT format = TEXT_FORMAT;
        if (flags & CELLF_CENTER)
            format |= DT_CENTER;
        else if (flags & CELLF_RIGHT)
            format |= DT_RIGHT;
        ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    }

    static int CheckImage(const std::wstring& text, bool threeState) {
        const int value = static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
        if (!threeState) return value > 0 ? IMAGE_BLUE_CHECK : IMAGE_BOX;
        return value > 0 ? IMAGE_GREEN_CHECK : value == 0 ? IMAGE_BOX : IMAGE_RED_CROSS;
    }

    // The percentage a progress cell shows, held to 0..100 so the bar
    // never leaves its frame; text that is no number shows an empty bar.
    static double Percentage(const std::wstring& text) {
        const double value = std::wcstod(text.c_str(), nullptr);
        return value > 0 ? std::min(value, 100.0) : 0.0;
    }

    void DrawImageClipped(HDC hdc, int image, int x, int y, const RECT& clip) {
        const int saved = ::SaveDC(hdc);
        ::IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
        ::ImageList_Draw(m_images.Get(), image, hdc, x, y, ILD_TRANSPARENT);
        ::RestoreDC(hdc, saved);
    }

    void DrawCellImage(HDC hdc, int image, const RECT& text, const RECT& cell) {
        const int size = ImageWidth();
        const int x = text.left + (text.right - text.left - size) / 2 - 1;
        const int y = cell.top + (cell.bottom - cell.top - size) / 2;
        DrawImageClipped(hdc, image, x, y, cell);
    }

    void PaintProgress(HDC hdc, const RECT& cell, double percentage, unsigned flags) {
        RECT bar = cell;
        ::InflateRect(&bar, -3, -2);
        if (m_progressTheme && Options.UseThemes && !(flags & CELLF_PROGRESS_CLASSIC)) {
            ::DrawThemeBackground(m_progressTheme.Get(), hdc, PART_PROGRESS_BAR, 0, &bar, nullptr);
            bar.right -= 2;
            bar.left += 3;
            bar.top += 3;
            bar.bottom -= 3;
            bar.right = bar.left + static_cast<int>((bar.right - bar.left) * percentage / 100);
            if (bar.right > bar.left)
                ::DrawThemeBackground(m_progressTheme.Get(), hdc, PART_PROGRESS_CHUNK, 0, &bar,
                                      nullptr);
            return;
        }
        CPenHandle pen(::CreatePen(PS_SOLID, 1, m_colors.Shadow));
        CBrushHandle face(::CreateSolidBrush(m_colors.HeaderFace));
        if (pen && face) {
            HGDIOBJ oldPen = ::SelectObject(hdc, pen.Get());
            HGDIOBJ oldBrush = ::SelectObject(hdc, face.Get());
            ::RoundRect(hdc, bar.left, bar.top, bar.right, bar.bottom, 5, 5);
            ::SelectObject(hdc, oldBrush);
            ::SelectObject(hdc, oldPen);
        }
        ::InflateRect(&bar, -3, -3);
        bar.right = bar.left + static_cast<int>((bar.right - bar.left) * percentage / 100);
        ListDrawing::FillGradient(hdc, bar, PROGRESS_TOP, PROGRESS_BOTTOM);
    }

    // ---- Selection rectangle ------------------------------------------

    void PaintSelectionRectangle(HDC hdc) {
        const RECT client = ClientRect();
        const int hpos = ScrollPosition(SB_HORZ), vpos = ScrollPosition(SB_VERT);
        RECT frame = m_selectionRect;
        ::OffsetRect(&frame, -hpos, -vpos);
        if (IsScrolledToEnd(SB_HORZ)) frame.right = std::min(frame.right, client.right);
        if (IsScrolledToEnd(SB_VERT)) frame.bottom = std::min(frame.bottom, client.bottom);
        if (hpos == 0) frame.left = std::max<LONG>(frame.left, 0);
        if (vpos == 0) frame.top = std::max<LONG>(frame.top, ItemTop());
        const COLORREF fill = IsThemed() ? ::GetSysColor(COLOR_HIGHLIGHT) : CURRENT_CLASSIC;
        RECT area = client, visible;
        area.top = ItemTop();
        if (::IntersectRect(&visible, &frame, &area)) BlendOver(hdc, visible, fill);
        ListDrawing::FrameSolid(hdc, frame,
                                ::GetSysColor(IsThemed() ? COLOR_HIGHLIGHT : COLOR_WINDOWTEXT));
    }

    // Lays the drawn content, 180/255 opaque, over a fill of colour.
    static void BlendOver(HDC hdc, const RECT& rect, COLORREF color) {
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        CMemoryDCHandle contentDC(::CreateCompatibleDC(hdc)), fillDC(::CreateCompatibleDC(hdc));
        CBitmapHandle content(::CreateCompatibleBitmap(hdc, width, height));
        CBitmapHandle filled(::CreateCompatibleBitmap(hdc, width, height));
        if (!contentDC || !fillDC || !content || !filled) return;
        HGDIOBJ oldContent = ::SelectObject(contentDC.Get(), content.Get());
        HGDIOBJ oldFill = ::SelectObject(fillDC.Get(), filled.Get());
        ::BitBlt(contentDC.Get(), 0, 0, width, height, hdc, rect.left, rect.top, SRCCOPY);
        ListDrawing::FillSolid(fillDC.Get(), RECT{0, 0, width, height}, color);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 180, 0};
        ::AlphaBlend(fillDC.Get(), 0, 0, width, height, contentDC.Get(), 0, 0, width, height, blend);
        ::BitBlt(hdc, rect.left, rect.top, width, height, fillDC.Get(), 0, 0, SRCCOPY);
        ::SelectObject(fillDC.Get(), oldFill);
        ::SelectObject(contentDC.Get(), oldContent);
    }

    // ---- Header band --------------------------------------------------

    void PaintHeader(HDC hdc, const RECT& clip) {
        const RECT client = ClientRect();
        const bool themed = IsThemed();
        const RECT band{0, 0, client.right, m_headerHeight};
        CPenHandle light, shadow;
        if (!themed) {
            ListDrawing::FillSolid(hdc, band, m_colors.HeaderFace);
            light.Reset(::CreatePen(PS_SOLID, 1, m_colors.Light));
            shadow.Reset(::CreatePen(PS_SOLID, 1, m_colors.Shadow));
        }
        ::SelectObject(hdc, m_font.Get());
        ::SetTextColor(hdc, m_colors.HeaderText);
        int x = -ScrollPosition(SB_HORZ);
        for (int position = 0; position < GetColumnCount(); ++position) {
            const RECT item{x, 0, x + m_columns[position].Width, m_headerHeight};
            x = item.right;
            if (item.right <= clip.left) continue;
            if (item.left >= clip.right) break;
            PaintHeaderItem(hdc, position, item, light.Get(), shadow.Get());
        }
        if (themed) {
            if (x < client.right) {
                const RECT rest{x, 0, client.right + 2, m_headerHeight};
                ::DrawThemeBackground(m_headerTheme.Get(), hdc, PART_HEADER_ITEM, STATE_NORMAL,
                                      &rest, nullptr);
            }
        } else if (m_contentWidth >= 1 && light && shadow) {
            const RECT frame{0, 0, client.right + 2, m_headerHeight};
            ListDrawing::DrawLine(hdc, frame.left, frame.top, frame.right, frame.top, light.Get());
            ListDrawing::DrawLine(hdc, frame.left, frame.top, frame.left, frame.bottom, light.Get());
            ListDrawing::DrawLine(hdc, frame.right - 1, frame.top, frame.right - 1, frame.bottom,
                                  shadow.Get());
            ListDrawing::DrawLine(hdc, frame.left, frame.bottom - 1, frame.right, frame.bottom - 1,
                                  shadow.Get());
        }
    }

    void PaintHeaderItem(HDC hdc, int position, const RECT& item, HPEN light, HPEN shadow) {
        const ListColumn& column = m_columns[position];
        if (IsThemed()) {
            const int state = position == m_pressedColumn ? STATE_PRESSED
                              : position == m_hotColumn   ? STATE_HOT
                                                          : STATE_NORMAL;
            ::DrawThemeBackground(m_headerTheme.Get(), hdc, PART_HEADER_ITEM, state, &item, nullptr);
        } else {
            if (position == m_pressedColumn) ListDrawing::FillSolid(hdc, item, PRESSED_HEADER);
            if (light && shadow) {
                ListDrawing::DrawLine(hdc, item.right - 1, item.top + 4, item.right - 1,
                                      m_headerHeight - 4, shadow);
                ListDrawing::DrawLine(hdc, item.right, item.top + 4, item.right,
                                      m_headerHeight - 4, light);
            }
        }

        RECT text = item;
        text.left += position == 0 ? 4 : 3;
        ::OffsetRect(&text, 0, 1);
        const bool arrowRoom = Options.SortEnabled && column.Width > 15;
        const bool sortArrow =
            arrowRoom && !column.Fixed && column.Id == Options.SortColumnId;
        if (sortArrow) text.right -= 15;
        text.left += 4;
        text.right -= 5;

        const RECT imageClip{item.left, item.top, item.right - 2, m_headerHeight};
        const int size = ImageWidth();
        if (column.Image != -1) {
            int imageX = text.left;
            if (column.Title.empty())
                imageX = text.left + (text.right - text.left - size) / 2 - (IsThemed() ? 1 : 0);
            DrawImageClipped(hdc, column.Image, imageX, (m_headerHeight - size) / 2, imageClip);
            text.left += size + 4;
        }
        DrawCellText(hdc, column.Title, text, column.Flags);
        if (sortArrow) {
            const RECT arrowClip{item.left, item.top, item.right, m_headerHeight};
            DrawImageClipped(hdc, Options.SortAscending ? IMAGE_ARROW_DOWN : IMAGE_ARROW_UP,
                             text.right + 4, m_headerHeight / 2 - 3, arrowClip);
        }
    }

    // Theme parts and states of the header and progress classes.
    enum ThemePart { PART_HEADER_ITEM = 1, PART_PROGRESS_BAR = 1, PART_PROGRESS_CHUNK = 3 };
    enum ThemeState { STATE_NORMAL = 1, STATE_HOT = 2, STATE_PRESSED = 3 };

    // ---- Data ---------------------------------------------------------

    std::vector<ListColumn> m_columns;
    RowSelection m_selection;
    Colors m_colors{};
    int m_rowHeight = 0;
    int m_headerHeight = 0;
    UINT m_wheelLines = 3;
    int m_contentWidth = 0;
    bool m_horzBarInUse = false;
    UINT m_headerFormat = 0;

    // Transient state of mouse, header and editing.
    int m_hotRow = -1, m_hotCell = -1;
    int m_hotColumn = -1, m_pressedColumn = -1;
    int m_titleTipRow = -1, m_titleTipCell = -1;
    bool m_editActive = false;
    bool m_rectangleActive = false;
    RECT m_selectionRect{};  // content coordinates

    ScrollAnimation m_animation;
    bool m_animationStarted = false;  // since the last end-scroll
    CBitmapHandle m_strip;

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
