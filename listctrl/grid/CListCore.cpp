#include "listctrl/grid/CListCore.h"

#include "listctrl/rules/ColumnDrop.h"

bool CListCore::SetUp() {
    if (!RefreshMetrics()) return false;

    HWND hWnd = m_hWnd;
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
    return m_titleTips.CreateToolTip(hWnd);
}

bool CListCore::RefreshMetrics() {
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
    }
    m_scaledFor = m_scale.Dpi();

    m_headerTheme.Reset();
    m_progressTheme.Reset();
    if (IsThemingAvailable()) {
        m_headerTheme.Reset(::OpenThemeData(m_hWnd, L"HEADER"));
        m_progressTheme.Reset(::OpenThemeData(m_hWnd, L"PROGRESS"));
    }

    return m_titleTips.CreateTitleTip(m_hWnd, Options.UseThemes);
}

bool CListCore::AddColumn(const std::wstring& title, int width, int image, bool fixed, int kind,
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

bool CListCore::GetColumn(int position, ListColumn& column) const {
    if (!IsColumn(position)) return false;
    column = m_columns[position];
    return true;
}

int CListCore::GetColumnWidth(int position) const {
    return IsColumn(position) ? m_columns[position].Width : 0;
}

bool CListCore::SetColumnWidth(int position, int width) {
    if (!IsColumn(position)) return false;
    if (m_columns[position].Fixed) return true;
    // A negative width would pull the following columns over this one.
    m_columns[position].Width = std::max(width, 0);
    RecalculateLayout();
    return true;
}

int CListCore::FindColumnById(int id) const {
    for (int position = 0; position < GetColumnCount(); ++position)
        if (m_columns[position].Id == id) return position;
    return -1;
}

bool CListCore::MoveColumnBefore(int position, int before) {
    if (!ColumnDrop::MoveColumn(m_columns, position, before)) return false;
    FollowMovedColumns(position, before);
    Invalidate();
    return true;
}

void CListCore::FollowMovedColumns(int position, int before) {
    m_selection.CurrentCell =
        ColumnDrop::PositionAfterMove(m_selection.CurrentCell, position, before);
    m_titleTips.FollowMovedColumn(position, before);
}

int CListCore::ColumnInsertionEdge(int before) const {
    return ColumnDrop::InsertionEdge(m_columns, before) - ScrollPosition(SB_HORZ);
}

bool CListCore::GetColumnHeaderRect(int position, RECT& rect) const {
    if (!IsColumn(position)) return false;
    int left = -ScrollPosition(SB_HORZ);
    for (int i = 0; i < position; ++i) left += m_columns[i].Width;
    rect = RECT{left, 0, left + m_columns[position].Width, m_headerHeight};
    return true;
}

int CListCore::GetContentWidth(bool recompute) {
    if (recompute) m_contentWidth = SumOfWidths();
    return m_contentWidth - 1;
}

bool CListCore::GetCellDate(int row, int columnId, SYSTEMTIME& date) const {
    return CellDateText::ToDate(CellText(row, columnId), date);
}

bool CListCore::SetCellDate(int row, int columnId, const SYSTEMTIME& date) {
    std::wstring key;
    return CellDateText::ToKey(date, key) && SetCellText(row, columnId, key);
}

std::wstring CListCore::FormatCellDateTime(int row, int columnId) const {
    SYSTEMTIME date;
    if (!GetCellDate(row, columnId, date)) return std::wstring();
    return CellDateText::Format(date, CellFlags(row, columnId));
}

void CListCore::ItemRemoved(int row) {
    m_selection.ItemRemoved(row);
    RecalculateLayout();
}

void CListCore::ClearSelection() {
    m_selection.Clear();
    Invalidate();
}

void CListCore::SelectAll() {
    if (Options.SingleSelect) return;
    m_selection.SelectAll(RowCount());
    Invalidate();
}

bool CListCore::GetCurrentCell(int& row, int& cell) const {
    return m_selection.GetCurrent(Options.CellFocus, row, cell);
}

void CListCore::SetCurrentCell(int row, int cell) {
    m_selection.CurrentRow = row;
    m_selection.CurrentCell = cell;
    ScrollCellIntoView(row, cell);
}

bool CListCore::ScrollCellIntoView(int row, int cell) {
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
    if (newFirst != first) ::SetScrollPos(m_hWnd, SB_VERT, newFirst * m_rowHeight, TRUE);

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
            ::SetScrollPos(m_hWnd, SB_HORZ, ScrollPosition(SB_HORZ) + shift, TRUE);
    }
    Invalidate();
    return true;
}

bool CListCore::IsCellInView(int row, int cell, bool partial) const {
    const int first = FirstVisibleRow();
    if (row < first || row >= first + GetVisibleRowCount(partial)) return false;
    if (!Options.CellFocus || cell == -1) return true;
    RECT header;
    return GetColumnHeaderRect(cell, header) && header.left >= 0 &&
           header.right <= ClientRect().right;
}

int CListCore::GetVisibleRowCount(bool partial) const {
    return ScrollArithmetic::VisibleRowCount(ItemHeight(), m_rowHeight, partial);
}

bool CListCore::CellFromPoint(int x, int y, int& row, int& cell) const {
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

bool CListCore::GetCellRect(int row, int cell, RECT& rect) const {
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

void CListCore::RedrawCell(int row, int cell) {
    RECT rect;
    if (GetCellRect(row, cell, rect)) ::InvalidateRect(m_hWnd, &rect, FALSE);
}

void CListCore::RedrawHeader() {
    if (!Options.ShowHeader) return;
    RECT band = ClientRect();
    band.bottom = m_headerHeight;
    ::InvalidateRect(m_hWnd, &band, FALSE);
}

void CListCore::UpdateScrollBars(int bar, int position, bool recomputeWidth) {
    if (!IsWindow()) return;
    const RECT client = ClientRect();
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if (position >= 0) {
        info.fMask |= SIF_POS;
        info.nPos = position;
    }
    if ((bar == SB_VERT || bar == SB_BOTH) && Options.VertScroll) {
        const auto range = ScrollArithmetic::VerticalRange(ItemTop(), RowCount(),
                                                           m_rowHeight, client.bottom);
        info.nMax = range.Max;
        info.nPage = static_cast<UINT>(range.Page);
        ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    }
    if ((bar == SB_HORZ || bar == SB_BOTH) && Options.HorzScroll) {
        if (recomputeWidth) m_contentWidth = SumOfWidths();
        const RECT after = ClientRect();  // the vertical bar may have changed it
        const auto range = ScrollArithmetic::HorizontalRange(m_contentWidth, after.right);
        info.nMax = range.Max;
        info.nPage = static_cast<UINT>(range.Page);
        ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
        m_horzBarInUse = range.Max != 0;
    }
}

LRESULT CListCore::SendCellNotify(int row, int cellPosition, int code) {
    NMGRIDCELL notify{};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    notify.hdr.code = static_cast<UINT>(code);
    notify.Item = row;
    notify.SubItem = GetColumnId(cellPosition);
    HWND parent = ::GetParent(m_hWnd);
    if (parent == nullptr) return 0;
    return ::SendMessageW(parent, WM_NOTIFY, notify.hdr.idFrom,
                          reinterpret_cast<LPARAM>(&notify));
}

const ListColumn* CListCore::FindColumn(int id) const {
    const int position = FindColumnById(id);
    return position == -1 ? nullptr : &m_columns[position];
}

void CListCore::RecalculateLayout() {
    m_contentWidth = SumOfWidths();
    if (!m_redraw) return;
    UpdateScrollBars(SB_BOTH, -1, false);
    Invalidate();
}

void CListCore::Invalidate() {
    if (IsWindow()) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

RECT CListCore::ClientRect() const {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    return client;
}

RECT CListCore::GetRowRect(int row) const {
    const RECT client = ClientRect();
    const int top = ItemTop() + (row - FirstVisibleRow()) * m_rowHeight;
    return RECT{client.left, top, std::min<int>(client.right, ContentRight()), top + m_rowHeight};
}

int CListCore::FirstVisibleRow() const {
    return ScrollArithmetic::FirstVisibleRow(ScrollPosition(SB_VERT), m_rowHeight);
}

int CListCore::ScrollPosition(int bar) const {
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, 0, 0};
    return ::GetScrollInfo(m_hWnd, bar, &info) ? info.nPos : 0;
}

bool CListCore::IsScrolledToEnd(int bar) const {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    if (!::GetScrollInfo(m_hWnd, bar, &info) || info.nMax == 0) return true;
    return info.nPos >= info.nMax - static_cast<int>(info.nPage) + 1;
}

int CListCore::SumOfWidths() const {
    int sum = 0;
    for (const ListColumn& column : m_columns) sum += column.Width;
    return sum;
}

RECT CListCore::CellTextRect(RECT cell, int position) const {
    cell.left += Scale(position == 0 ? 4 : 3);
    ::InflateRect(&cell, -Scale(4), 0);
    return cell;
}

void CListCore::EndEditByFocus() {
    if (IsEditActive()) ::SetFocus(m_hWnd);
}

LRESULT CListCore::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    m_titleTips.Destroy();
    bHandled = FALSE;
    return 0;
}

LRESULT CListCore::OnSettingChange(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    // A failure keeps the metrics drawn with so far.
    RefreshMetrics();
    RecalculateLayout();
    bHandled = FALSE;
    return 0;
}

LRESULT CListCore::OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) {
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

LRESULT CListCore::OnFocusChange(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    Invalidate();
    bHandled = FALSE;
    return 0;
}

LRESULT CListCore::OnSetRedraw(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&) {
    const LRESULT result = DefWindowProc(uMsg, wParam, lParam);
    m_redraw = wParam != FALSE;
    RecalculateLayout();
    return result;
}

LRESULT CListCore::OnDefaultHandling(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&) {
    return DefWindowProc(uMsg, wParam, lParam);
}

int CListCore::TrackPosition(int bar) const {
    SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    return ::GetScrollInfo(m_hWnd, bar, &info) ? info.nTrackPos : 0;
}
