#include <gtest/gtest.h>

#include "listctrl/GridTestSupport.h"

using namespace gridtest;

namespace {

class HeadersList : public ::testing::Test {
protected:
    void SetUp() override {
        // With the frame a dialog template gives it, which the list trades
        // for its own.
        ASSERT_NO_FATAL_FAILURE(CreateChildList(parent, list, RECT{10, 10, 410, 210},
                                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
                                                WS_EX_CLIENTEDGE));
    }
    void TearDown() override { parent.DestroyWindow(); }

    void AddRows(int count) {
        for (int i = 0; i < count; ++i)
            list.AddItem({L"", L"name" + std::to_wstring(i), L"value" + std::to_wstring(i)});
    }

    CParentWindow parent;
    CListUserData list;
};

void ExpectHeadersSetUp(CListUserData& list) {
    const LONG_PTR style = GetWindowLongPtrW(list.m_hWnd, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(list.m_hWnd, GWL_EXSTYLE);
    EXPECT_EQ(style & WS_BORDER, 0);
    EXPECT_NE(style & WS_CLIPCHILDREN, 0);
    EXPECT_EQ(exStyle & WS_EX_CLIENTEDGE, 0);
    EXPECT_NE(exStyle & WS_EX_STATICEDGE, 0);
    EXPECT_TRUE(list.Options.CellFocus);
    ASSERT_EQ(list.GetColumnCount(), 2);
    ListColumn column;
    ASSERT_TRUE(list.GetColumn(0, column));
    EXPECT_EQ(column.Title, L"Header");
    EXPECT_EQ(column.Width, 145);
    EXPECT_EQ(column.Id, 0);
    EXPECT_EQ(column.Kind, CELL_EDIT);
    EXPECT_EQ(column.Flags, 0u);
    EXPECT_EQ(column.Image, -1);
    EXPECT_EQ(column.Fixed, 0);
    ASSERT_TRUE(list.GetColumn(1, column));
    EXPECT_EQ(column.Title, L"Value");
    EXPECT_EQ(column.Width, 195);
    EXPECT_EQ(column.Id, 1);
    EXPECT_EQ(column.Kind, CELL_EDIT);
    EXPECT_GT(list.GetRowHeight(), 6);
    EXPECT_EQ(list.GetRowHeight(), list.GetHeaderHeight());
    EXPECT_EQ(list.GetContentWidth(true), 339);
    EXPECT_NE(list.GetImageList(), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list.GetImageList()), 10);
    EXPECT_NE(list.GetHeaderClipboardFormat(), 0u);
}

}  // namespace

TEST_F(HeadersList, CreatedDirectlyIsSetUpWithItsTwoColumns) {
    ExpectHeadersSetUp(list);
    wchar_t className[32];
    GetClassNameW(list.m_hWnd, className, 32);
    EXPECT_STREQ(className, L"HdrsList");
    const ULONG_PTR classStyle = GetClassLongPtrW(list.m_hWnd, GCL_STYLE);
    EXPECT_EQ(classStyle, ULONG_PTR(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
    EXPECT_EQ(GetClassLongPtrW(list.m_hWnd, GCLP_HBRBACKGROUND), ULONG_PTR(COLOR_WINDOW + 1));
    EXPECT_EQ(SendMessageW(list.m_hWnd, WM_GETDLGCODE, 0, 0),
              DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS);
}

TEST(HeadersListControl, DialogControlOfTheClassIsTakenOverAndSetUp) {
    ASSERT_NE(CListUserData::RegisterWindowClass(), 0);
    EXPECT_EQ(CListUserData::RegisterWindowClass(), CListUserData::RegisterWindowClass());
    CParentWindow parent;
    ASSERT_NE(parent.CreateHidden(), nullptr);
    // As the dialog manager creates it from the page's template.
    HWND control = CreateWindowExW(WS_EX_CLIENTEDGE, L"HdrsList", nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 5, 5, 300, 120,
                                   parent.m_hWnd, reinterpret_cast<HMENU>(LIST_ID),
                                   GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(SendMessageW(control, WM_GETDLGCODE, 0, 0), 0);  // default handling only
    {
        CListUserData list;
        ASSERT_TRUE(list.SubclassAndSetUp(control));
        ExpectHeadersSetUp(list);
        EXPECT_EQ(list.AddItem({L"", L"Accept", L"text/turtle"}), 0);
        list.SelectRow(0, 1, 0);
        ASSERT_EQ(parent.notifications.size(), 1u);
        EXPECT_EQ(parent.notifications[0].Code, GLN_SELECTED);
        EXPECT_EQ(parent.notifications[0].Id, UINT_PTR(LIST_ID));
        EXPECT_FALSE(list.SubclassAndSetUp(control));  // already attached
        list.UnsubclassWindow();
    }
    EXPECT_EQ(SendMessageW(control, WM_GETDLGCODE, 0, 0), 0);  // given back intact
    parent.DestroyWindow();
}

TEST_F(HeadersList, RowsAndCellsAnswerByColumnIdAndStayNeutralOutOfRange) {
    AddRows(3);
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(1, 0), L"name1");
    EXPECT_EQ(list.GetItemText(1, 1), L"value1");
    EXPECT_EQ(list.GetItemText(1, 2), L"");
    EXPECT_EQ(list.GetItemText(3, 0), L"");
    EXPECT_EQ(list.GetItemText(-1, 0), L"");
    EXPECT_TRUE(list.SetItemText(1, 2, L"ignored"));
    EXPECT_EQ(list.Items()[1].Name, L"name1");
    EXPECT_EQ(list.Items()[1].Value, L"value1");
    EXPECT_FALSE(list.SetItemText(3, 0, L"x"));
    EXPECT_TRUE(list.SetItemText(2, 1, L"new"));
    EXPECT_EQ(list.Items()[2].Value, L"new");

    EXPECT_EQ(list.GetCellKind(0, 1), CELL_EDIT);
    EXPECT_EQ(list.GetCellKind(0, 7), CELL_PLAIN);
    EXPECT_EQ(list.GetCellFlags(0, 7), 0u);
    std::vector<std::wstring> choices{L"stale"};
    EXPECT_FALSE(list.GetCellChoices(0, 0, choices));
    EXPECT_TRUE(choices.empty());
    EXPECT_EQ(list.GetCellToolTip(0, 0), L"");

    ListColumn column;
    EXPECT_FALSE(list.GetColumn(2, column));
    EXPECT_FALSE(list.GetColumn(-1, column));
    EXPECT_EQ(list.GetColumnWidth(2), 0);
    EXPECT_FALSE(list.SetColumnWidth(2, 50));
    EXPECT_EQ(list.GetColumnId(-1), 0);
    EXPECT_EQ(list.GetColumnId(5), 0);
    EXPECT_EQ(list.FindColumnById(1), 1);
    EXPECT_EQ(list.FindColumnById(9), -1);
    RECT rect{1, 2, 3, 4};
    EXPECT_FALSE(list.GetColumnHeaderRect(2, rect));
    EXPECT_FALSE(list.GetCellRect(3, 0, rect));
    EXPECT_FALSE(list.GetCellRect(0, 2, rect));
    EXPECT_FALSE(list.SelectRow(3, 0, 0));
    EXPECT_FALSE(list.SelectRow(-1, 0, 0));
    EXPECT_TRUE(parent.notifications.empty());
    int row = 5, cell = 5;
    EXPECT_FALSE(list.CellFromPoint(10, list.GetHeaderHeight() + 10 * list.GetRowHeight(), row,
                                    cell));
    EXPECT_EQ(row, -1);
}

TEST_F(HeadersList, DateCellsKeepTheFourteenDigitKey) {
    AddRows(1);
    SYSTEMTIME date = KeyDate();
    date.wMilliseconds = 999;  // not kept
    date.wDayOfWeek = 4;
    ASSERT_TRUE(list.SetCellDate(0, 1, date));
    EXPECT_EQ(list.GetItemText(0, 1), L"20240229133005");
    SYSTEMTIME read;
    memset(&read, 0xFF, sizeof(read));
    ASSERT_TRUE(list.GetCellDate(0, 1, read));
    EXPECT_EQ(read.wYear, 2024);
    EXPECT_EQ(read.wMonth, 2);
    EXPECT_EQ(read.wDay, 29);
    EXPECT_EQ(read.wHour, 13);
    EXPECT_EQ(read.wMinute, 30);
    EXPECT_EQ(read.wSecond, 5);
    EXPECT_EQ(read.wMilliseconds, 0);
    EXPECT_EQ(read.wDayOfWeek, 0);

    list.SetItemText(0, 1, L"");
    memset(&read, 0xFF, sizeof(read));
    EXPECT_FALSE(list.GetCellDate(0, 1, read));
    const SYSTEMTIME zero{};
    EXPECT_EQ(memcmp(&read, &zero, sizeof(read)), 0);

    date.wYear = 10000;  // no room in the key: the cell keeps its text
    list.SetItemText(0, 1, L"keep");
    EXPECT_FALSE(list.SetCellDate(0, 1, date));
    EXPECT_EQ(list.GetItemText(0, 1), L"keep");
    EXPECT_FALSE(list.SetCellDate(4, 1, SYSTEMTIME{}));
}

TEST_F(HeadersList, SelectionNotifiesTheParentWithTheCellId) {
    AddRows(5);
    EXPECT_TRUE(list.SelectRow(1, 1, 0));
    ASSERT_EQ(parent.notifications.size(), 1u);
    Notification n = parent.notifications.back();
    EXPECT_EQ(n.From, list.m_hWnd);
    EXPECT_EQ(n.Id, UINT_PTR(LIST_ID));
    EXPECT_EQ(n.Code, GLN_SELECTED);
    EXPECT_EQ(n.Item, 1);
    EXPECT_EQ(n.SubItem, 1);

    EXPECT_TRUE(list.SelectRow(1, 0, 0));  // the only selected row again: quiet
    EXPECT_EQ(parent.notifications.size(), 1u);

    EXPECT_TRUE(list.SelectRow(3, 1, MK_SHIFT));  // a range reports no cell
    ASSERT_EQ(parent.notifications.size(), 2u);
    EXPECT_EQ(parent.notifications.back().Item, 3);
    EXPECT_EQ(parent.notifications.back().SubItem, 0);
    EXPECT_TRUE(list.IsRowSelected(2));

    int row = -1, cell = -1;
    ASSERT_TRUE(list.GetCurrentCell(row, cell));
    EXPECT_EQ(row, 3);
    EXPECT_EQ(cell, -1);
    list.ClearSelection();
    EXPECT_FALSE(list.GetCurrentCell(row, cell));
    EXPECT_EQ(row, -1);
}

TEST_F(HeadersList, RemovingARowKeepsTheChosenRowsSelected) {
    AddRows(5);
    list.SelectRow(1, 0, 0);
    list.SelectRow(3, 0, MK_CONTROL);
    list.SelectRow(4, 0, MK_CONTROL);
    // As the page removes a row: from the array, then tells the list.
    list.Items().erase(list.Items().begin() + 3);
    list.ItemRemoved(3);
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetSelection().Rows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.GetItemText(3, 0), L"name4");  // still the row the user chose
    EXPECT_TRUE(list.IsRowSelected(3));
    EXPECT_FALSE(list.IsRowSelected(4));

    list.Items().erase(list.Items().begin() + 2);
    list.ItemRemoved(2);
    EXPECT_EQ(list.GetSelection().Rows(), (std::vector<int>{1, 2}));
    int row = -1, cell = -1;
    ASSERT_TRUE(list.GetCurrentCell(row, cell));
    EXPECT_EQ(list.GetItemText(row, 0), L"name4");
}

TEST_F(HeadersList, ChildNotificationsAreReflectedToTheChild) {
    struct Recorder : CWindowImplBase {
        std::vector<UINT> received;
        BEGIN_MSG_MAP(Recorder)
            MESSAGE_RANGE_HANDLER(OCM__BASE, OCM__BASE + 0x1FF, OnReflected)
        END_MSG_MAP()
        LRESULT OnReflected(UINT uMsg, WPARAM, LPARAM, BOOL&) {
            received.push_back(uMsg);
            return 77;
        }
    } recorder;
    HWND child = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD, 0, 0, 10, 10, list.m_hWnd,
                                 reinterpret_cast<HMENU>(5), GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(recorder.SubclassWindow(child));
    EXPECT_EQ(SendMessageW(list.m_hWnd, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED),
                           reinterpret_cast<LPARAM>(child)),
              77);
    NMHDR hdr{child, 5, static_cast<UINT>(NM_CLICK)};
    SendMessageW(list.m_hWnd, WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&hdr));
    ASSERT_EQ(recorder.received.size(), 2u);
    EXPECT_EQ(recorder.received[0], UINT(OCM__BASE + WM_COMMAND));
    EXPECT_EQ(recorder.received[1], UINT(OCM__BASE + WM_NOTIFY));
    // Edit colours go to default handling, not back to the child.
    SendMessageW(list.m_hWnd, WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(recorder.received.size(), 2u);
    recorder.UnsubclassWindow();
}

TEST_F(HeadersList, NegativeWidthsCountAsZero) {
    EXPECT_TRUE(list.SetColumnWidth(0, -40));
    EXPECT_EQ(list.GetColumnWidth(0), 0);
    RECT header;
    ASSERT_TRUE(list.GetColumnHeaderRect(1, header));
    EXPECT_EQ(header.left, 0);
    EXPECT_EQ(list.GetContentWidth(true), 194);
}

TEST(HeadersListPainting, PaintsOffScreenAndNeverErases) {
    CParentWindow parent;
    ASSERT_NE(parent.CreateHidden(), nullptr);
    CListUserData list;
    const RECT rect{0, 0, 300, 150};
    ASSERT_NE(list.Create(parent.m_hWnd, rect, nullptr, WS_CHILD | WS_VISIBLE, 0, LIST_ID),
              nullptr);
    list.Options.UseThemes = false;
    list.AddItem({L"", L"Accept", L"text/turtle"});
    list.SelectRow(0, -1, 0);
    const int y = list.GetHeaderHeight() + list.GetRowHeight() / 2;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 150);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT all{0, 0, 300, 150};
    HBRUSH marker = CreateSolidBrush(RGB(1, 2, 3));
    FillRect(memory, &all, marker);
    EXPECT_EQ(SendMessageW(list.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 200, y), RGB(1, 2, 3));
    // A DC handed with WM_PAINT is painted into directly (how an editor shows the list behind it).
    SendMessageW(list.m_hWnd, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(GetPixel(memory, 200, y), GetSysColor(COLOR_HIGHLIGHT));
    FillRect(memory, &all, marker);
    DeleteObject(marker);

    // The real paint: shown, painted through the buffer, read back from the window.
    ShowWindow(parent.m_hWnd, SW_SHOWNOACTIVATE);
    RedrawWindow(list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC window = GetDC(list.m_hWnd);
    BitBlt(memory, 0, 0, 300, 150, window, 0, 0, SRCCOPY);
    ReleaseDC(list.m_hWnd, window);
    EXPECT_EQ(GetPixel(memory, 200, y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(GetPixel(memory, 200, y + list.GetRowHeight()), GetSysColor(COLOR_WINDOW));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    parent.DestroyWindow();
}
