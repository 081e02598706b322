#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "listctrl/GridTestSupport.h"
#include "listctrl/grid/CListColumnDrag.h"
#include "listctrl/rules/DpiScale.h"
#include "framework/WindowDpi.h"
#include "support/ChildProcess.h"

using namespace gridtest;

namespace {

// The DPI this process should run at: 96 in the test prefix, or what the
// test that started it as a child set.
int ExpectedDpi() {
    const char* value = std::getenv("VTL_EXPECT_DPI");
    return value != nullptr ? std::atoi(value) : DpiScale::BASE_DPI;
}

// The display's pixels per inch as Wine reads them when a process starts;
// back to 96, the test prefix's, when the object goes.
struct DisplayDpi {
    explicit DisplayDpi(DWORD dpi) : IsSet(Set(dpi)) {}
    ~DisplayDpi() { Set(DpiScale::BASE_DPI); }
    static bool Set(DWORD dpi) {
        return RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels",
                               REG_DWORD, &dpi, sizeof(dpi)) == ERROR_SUCCESS;
    }
    const bool IsSet;
};

// The list with its companion windows in view.
struct CDpiList : CListUserData {
    HWND TitleTip() const { return m_titleTips.GetTitleTipWindow(); }
    HWND DropArrows() { return ColumnDrag().GetDropArrowsWindow(); }
};

int TextWidth(HFONT font, const std::wstring& text) {
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, font);
    RECT measured{0, 0, 0, 0};
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &measured,
                DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    return measured.right;
}

// The colours of the images' pixel map, magenta (the key) left out.
const std::set<COLORREF> IMAGE_COLOURS = {
    RGB(0x80, 0x80, 0x80), RGB(0x1c, 0x51, 0x80), RGB(0xff, 0xff, 0xff), RGB(0x1e, 0x50, 0xdc),
    RGB(0x1e, 0xa0, 0x1e), RGB(0xd2, 0x1e, 0x1e), RGB(0x40, 0x40, 0x40), RGB(0xd2, 0xaa, 0x28),
    RGB(0x8c, 0x8c, 0x96), RGB(0x00, 0x00, 0x00)};
const COLORREF UNDER = RGB(1, 2, 3);

// The colours the image list draws over UNDER, all its images side by side.
std::set<COLORREF> DrawnColours(HIMAGELIST images) {
    int size = 0, height = 0;
    ImageList_GetIconSize(images, &size, &height);
    const int count = ImageList_GetImageCount(images);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size * count, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, size * count, height};
    HBRUSH under = CreateSolidBrush(UNDER);
    FillRect(dc, &all, under);
    DeleteObject(under);
    for (int i = 0; i < count; ++i) ImageList_Draw(images, i, dc, i * size, 0, ILD_TRANSPARENT);
    std::set<COLORREF> colours;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < size * count; ++x) colours.insert(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colours;
}

class DpiGrid : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(parent.CreateHidden(800, 400), nullptr);
        ASSERT_NE(list.Create(parent.m_hWnd, RECT{0, 0, 700, 300}, nullptr,
                              WS_CHILD | WS_VISIBLE, 0, LIST_ID),
                  nullptr);
    }
    void TearDown() override { parent.DestroyWindow(); }

    // The width of the text area of a column of the given width.
    int TextAreaWidth(int position, int width) const {
        return width - scale.Scale(position == 0 ? 4 : 3) - 2 * scale.Scale(4);
    }

    CParentWindow parent;
    CDpiList list;
    const DpiScale scale{ExpectedDpi()};
};

}  // namespace

// Run here at the prefix's 96 DPI, where every measure is the one drawn
// for it, and by the test below in a process of its own at 144.
TEST_F(DpiGrid, MeasuresFollowTheDisplaysDpi) {
    ASSERT_EQ(GetWindowDpi(list.m_hWnd), scale.Dpi());
    ASSERT_EQ(list.GetDpi(), scale.Dpi());

    // The default columns keep their share of the grid.
    EXPECT_EQ(list.GetColumnWidth(0), scale.Scale(145));
    EXPECT_EQ(list.GetColumnWidth(1), scale.Scale(195));

    // Images at the display's size, sharp: only the pixel map's own colours.
    int width = 0, height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list.GetImageList(), &width, &height));
    EXPECT_EQ(width, scale.Scale(16));
    EXPECT_EQ(height, scale.Scale(16));
    EXPECT_EQ(ImageList_GetImageCount(list.GetImageList()), 10);
    for (COLORREF colour : DrawnColours(list.GetImageList()))
        EXPECT_TRUE(colour == UNDER || IMAGE_COLOURS.count(colour)) << std::hex << colour;

    // The divider zone around the first column's right edge.
    const int edge = list.GetColumnWidth(0), y = list.GetHeaderHeight() / 2;
    const struct {
        int x;
        int position;
        unsigned zone;
    } points[] = {
        {edge - scale.Scale(5) - 1, 0, 0},
        {edge - scale.Scale(5), 0, HEADER_ZONE_DIVIDER},
        {edge + scale.Scale(4), 0, HEADER_ZONE_DIVIDER},
        {edge + scale.Scale(4) + 1, 1, 0},
    };
    for (const auto& p : points) {
        int position = -1;
        unsigned zone = 0;
        EXPECT_TRUE(list.HeaderFromPoint(p.x, y, position, zone)) << p.x;
        EXPECT_EQ(position, p.position) << p.x;
        EXPECT_EQ(zone, p.zone) << p.x;
    }

    // A press there shows the divider cursor, hot spot at its centre.
    Mouse(list.m_hWnd, WM_LBUTTONDOWN, POINT{edge, y}, MK_LBUTTON);
    ICONINFO cursor{};
    ASSERT_TRUE(GetIconInfo(GetCursor(), &cursor));
    BITMAP mask{};
    GetObjectW(cursor.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmWidth, scale.Scale(32));
    EXPECT_NEAR(static_cast<int>(cursor.xHotspot), scale.Scale(15), 1);
    EXPECT_NEAR(static_cast<int>(cursor.yHotspot), scale.Scale(15), 1);
    DeleteObject(cursor.hbmMask);
    if (cursor.hbmColor) DeleteObject(cursor.hbmColor);
    Mouse(list.m_hWnd, WM_LBUTTONUP, POINT{edge, y});

    // The drop arrows frame the band with their scaled length and width.
    RECT arrows{};
    GetWindowRect(list.DropArrows(), &arrows);
    EXPECT_EQ(arrows.right - arrows.left, scale.Scale(12));
    EXPECT_EQ(arrows.bottom - arrows.top, list.GetHeaderHeight() + scale.Scale(20));

    // A header name that fills most of its column at 96 DPI fits at any
    // DPI: no title tip. Twice as long, it gets one, laid over the text.
    const std::wstring name = L"Proxy-Authorization";
    const int nameWidth = TextWidth(list.GetFont(), name);
    const int area = TextAreaWidth(0, list.GetColumnWidth(0));
    EXPECT_LT(nameWidth, area);
    if (scale.Dpi() == DpiScale::BASE_DPI) {
        EXPECT_GT(nameWidth * 10, area * 8) << "the name no longer tests a near fit";
    }
    list.AddItem({L"", name, L"v"});
    list.AddItem({L"", name + name, L"v"});
    const HWND tip = list.TitleTip();
    RECT cell{};
    ASSERT_TRUE(list.GetCellRect(0, 0, cell));
    const POINT inText{cell.left + area / 2, (cell.top + cell.bottom) / 2};
    Mouse(list.m_hWnd, WM_MOUSEMOVE, inText);
    EXPECT_FALSE(IsWindowVisible(tip));
    Mouse(list.m_hWnd, WM_MOUSEMOVE, POINT{inText.x, inText.y + list.GetRowHeight()});
    ASSERT_TRUE(IsWindowVisible(tip));
    POINT cellLeft{cell.left, 0};
    ClientToScreen(list.m_hWnd, &cellLeft);
    RECT placed{};
    GetWindowRect(tip, &placed);
    // The tip's text starts where the cell's does: the first column's text
    // area begins 4 + 4 pixels in at 96 DPI, the tip draws its text 4 in.
    EXPECT_EQ(placed.left, cellLeft.x + scale.Scale(4) + scale.Scale(4) - scale.Scale(4));
    EXPECT_EQ(placed.right - placed.left, TextWidth(list.GetFont(), name + name) + scale.Scale(11));
    list.HideTitleTip(true);

    // A fitted column leaves its widest text the same room at any DPI.
    ASSERT_TRUE(list.FitColumnToContent(0));
    EXPECT_EQ(list.GetColumnWidth(0), TextWidth(list.GetFont(), name + name) + scale.Scale(20));

    // Moving to a display of another DPI makes the list take its metrics
    // again: a new title tip among them.
    SendMessageW(list.m_hWnd, WM_DPICHANGED_AFTERPARENT, 0, 0);
    EXPECT_NE(list.TitleTip(), tip);
    EXPECT_EQ(list.GetDpi(), scale.Dpi());
}

// The same checks in a process that starts with the display at 144 DPI.
TEST(DpiGridAt144, MeasuresFollowTheDisplaysDpi) {
    std::string output;
    {
        DisplayDpi display(144);
        ASSERT_TRUE(display.IsSet);
        wchar_t program[MAX_PATH];
        ASSERT_GT(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
        ChildProcess child;
        ASSERT_TRUE(child.Start(L"\"" + std::wstring(program) +
                                    L"\" --gtest_filter=DpiGrid.MeasuresFollowTheDisplaysDpi",
                                {{L"VTL_EXPECT_DPI", L"144"}}));
        ASSERT_TRUE(child.Wait(120000));
        output = child.Output();
        EXPECT_EQ(child.ExitCode(), 0u) << output;
    }
    EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
}
