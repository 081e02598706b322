#include "listctrl/grid/CListWindow.h"

#include "listctrl/drawing/ListDrawing.h"
#include "listctrl/grid/CListAccessibility.h"
#include "listctrl/grid/CListColumnDrag.h"
#include "listctrl/grid/CListEditing.h"
#include "listctrl/grid/CListHeaderBand.h"
#include "listctrl/grid/CListHeaderInput.h"
#include "listctrl/grid/CListKeyboard.h"
#include "listctrl/grid/CListMouse.h"
#include "listctrl/grid/CListPainter.h"
#include "listctrl/grid/CListScroller.h"

// Each concern is given the ones it reaches, so they are built in this order.
struct CListWindow::Concerns {
    Concerns(CListWindow& grid, CListTitleTips& titleTips)
        : painter(grid),
          band(grid, painter),
          scroller(grid, painter),
          editing(grid),
          mouse(grid, painter, scroller, editing, titleTips),
          keyboard(grid, scroller, editing),
          columnDrag(grid, band, mouse),
          headerInput(grid, band, mouse, columnDrag),
          accessibility(grid, editing) {}

    CListPainter painter;
    CListHeaderBand band;
    CListScroller scroller;
    CListEditing editing;
    CListMouse mouse;
    CListKeyboard keyboard;
    CListColumnDrag columnDrag;
    CListHeaderInput headerInput;
    CListAccessibility accessibility;
};

CListWindow::CListWindow() : m_concerns(std::make_unique<Concerns>(*this, m_titleTips)) {}

CListWindow::~CListWindow() = default;

BEGIN_MSG_MAP_OUT_OF_LINE(CListWindow)
    MESSAGE_RANGE_HANDLER(WM_MOUSEMOVE, WM_XBUTTONDBLCLK, RelayToToolTip)
    CHAIN_MSG_MAP_MEMBER_AROUND(m_concerns->accessibility, CListWindow, MAP_REPORTED)
    CHAIN_MSG_MAP(CDoubleBufferImpl<CListWindow>)
    REFLECT_NOTIFICATIONS()
ALT_MSG_MAP(MAP_REPORTED)
    CHAIN_MSG_MAP_MEMBER(m_concerns->keyboard)
    CHAIN_MSG_MAP_MEMBER(m_concerns->headerInput)
    CHAIN_MSG_MAP_MEMBER(m_concerns->columnDrag)
    CHAIN_MSG_MAP_MEMBER(m_concerns->mouse)
    CHAIN_MSG_MAP_MEMBER(m_concerns->editing)
    CHAIN_MSG_MAP_MEMBER(m_concerns->scroller)
    CHAIN_MSG_MAP(CListCore)
END_MSG_MAP()

bool CListWindow::SetUp() { return CListCore::SetUp() && m_concerns->columnDrag.SetUp(); }

bool CListWindow::HeaderFromPoint(int x, int y, int& position, unsigned& zone) const {
    return m_concerns->band.HeaderFromPoint(x, y, position, zone);
}

bool CListWindow::FitColumnToContent(int position) {
    return m_concerns->band.FitColumnToContent(position);
}

bool CListWindow::SortByColumn(int position) {
    return m_concerns->headerInput.SortByColumn(position);
}

bool CListWindow::SelectRow(int row, int cell, UINT modifiers) {
    return m_concerns->editing.SelectRow(row, cell, modifiers);
}

bool CListWindow::BeginCellEdit(int row, int cell) {
    return m_concerns->editing.BeginCellEdit(row, cell);
}

bool CListWindow::IsEditActive() const { return m_concerns->editing.IsEditActive(); }

bool CListWindow::ToggleCell(int row, int cell) { return m_concerns->editing.ToggleCell(row, cell); }

bool CListWindow::IsAnimating() const { return m_concerns->scroller.IsAnimating(); }

void CListWindow::FollowMovedColumns(int position, int before) {
    CListCore::FollowMovedColumns(position, before);
    m_concerns->painter.FollowMovedColumns(position, before);
}

CListHeaderBand& CListWindow::Band() { return m_concerns->band; }

CListColumnDrag& CListWindow::ColumnDrag() { return m_concerns->columnDrag; }

CListMouse& CListWindow::Mouse() { return m_concerns->mouse; }

LRESULT CListWindow::RelayToToolTip(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    const DWORD position = ::GetMessagePos();
    const MSG message{m_hWnd, uMsg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()),
                      {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}};
    m_titleTips.Relay(message);
    bHandled = FALSE;
    return 0;
}

void CListWindow::DoPaint(HDC hdc, const RECT& clip) {
    const int saved = ::SaveDC(hdc);
    ListDrawing::FillSolid(hdc, clip, m_colors.Background);
    ::SetBkMode(hdc, TRANSPARENT);
    Concerns& concerns = *m_concerns;
    if (!concerns.scroller.PaintAnimationFrame(hdc)) concerns.painter.PaintRows(hdc, clip);
    RECT rectangle;
    if (concerns.mouse.GetSelectionRectangle(rectangle))
        concerns.painter.PaintSelectionRectangle(hdc, rectangle);
    if (Options.ShowHeader && clip.top < m_headerHeight) concerns.band.PaintHeader(hdc, clip);
    ::RestoreDC(hdc, saved);
}
