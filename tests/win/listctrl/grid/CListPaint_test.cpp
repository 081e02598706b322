#include <gtest/gtest.h>

#include <functional>

#include "listctrl/GridTestSupport.h"
#include "listctrl/grid/CListHeaderBand.h"
#include "listctrl/rules/ScrollAnimation.h"

using namespace gridtest;

namespace {

const COLORREF BLUE_CHECK = RGB(0x1e, 0x50, 0xdc);
const COLORREF GREEN_CHECK = RGB(0x1e, 0xa0, 0x1e);
const COLORREF RED_CROSS = RGB(0xd2, 0x1e, 0x1e);
const COLORREF BOX_INSIDE = RGB(0xff, 0xff, 0xff);

// A grid under test, classic (param false) or themed (param true).
class ListPaint : public GridFixture<::testing::TestWithParam<bool>> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(GridFixture::SetUp());
        grid.Options.UseThemes = Themed();
        if (Themed()) {
            ASSERT_TRUE(grid.IsThemed()) << "this Wine prefix has no visual style";
        }
        rh = grid.GetRowHeight();
        hh = grid.GetHeaderHeight();
        background = GetSysColor(COLOR_WINDOW);
    }

    bool Themed() const { return GetParam(); }
    RECT Cell(int row, int left, int right) const {
        return RECT{left, hh + row * rh, right, hh + (row + 1) * rh};
    }

    int rh = 0;
    int hh = 0;
    COLORREF background = 0;
};

INSTANTIATE_TEST_SUITE_P(ClassicAndThemed, ListPaint, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Themed" : "Classic";
                         });

}  // namespace

TEST_P(ListPaint, EveryPixelIsPaintedAndTheHeaderShowsItsTitles) {
    grid.AddColumn(L"Alpha", 100, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"Beta", 100, -1, false, CELL_EDIT, 0);
    grid.AddRow({L"a0", L"b0"});
    Capture shot(grid.m_hWnd);
    EXPECT_EQ(shot.Count(RECT{0, 0, shot.width, shot.height}, RGB(1, 2, 3)), 0);
    // Item area beyond the columns is background; the band is not.
    EXPECT_TRUE(shot.Uniform(RECT{210, hh + 1, shot.width, shot.height}, background));
    const RECT title{0, 0, 100, hh};
    const COLORREF face = shot.At(90, hh / 2);
    EXPECT_LT(shot.Count(title, face), (title.right - title.left) * hh) << "a title is drawn";
    if (!Themed()) {
        EXPECT_EQ(face, GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(shot.At(99, hh / 2), GetSysColor(COLOR_BTNSHADOW));  // separator
        EXPECT_EQ(shot.At(100, hh / 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    // Text of row 0, cell 0 in the cell text colour.
    EXPECT_GT(shot.Count(Cell(0, 0, 100), GetSysColor(COLOR_WINDOWTEXT)), 0);
}

TEST_P(ListPaint, HeaderShowsImagesAndTheSortArrowOnlyWhereThereIsRoom) {
    grid.AddColumn(L"", 300, 6, false, CELL_CHECK, CELLF_RIGHT);  // padlock only
    grid.AddColumn(L"Sorted", 100, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"Fixed", 100, -1, true, CELL_EDIT, 0);
    grid.AddColumn(L"", 15, -1, false, CELL_EDIT, 0);
    ListColumn imageOnly;
    ASSERT_TRUE(grid.GetColumn(0, imageOnly));
    EXPECT_EQ(imageOnly.Width, 21);
    EXPECT_EQ(imageOnly.Flags, unsigned(CELLF_CENTER));

    const COLORREF padlock = RGB(0xd2, 0xaa, 0x28), arrow = RGB(0x80, 0x80, 0x80);
    // Where the arrow of a column ending at `right` is drawn, clear of separators.
    auto arrowArea = [&](int right) { return RECT{right - 14, 0, right - 3, hh}; };
    auto arrows = [&]() {
        Capture shot(grid.m_hWnd);
        return std::vector<int>{shot.Count(arrowArea(121), arrow), shot.Count(arrowArea(221), arrow),
                                shot.Count(arrowArea(236), arrow)};
    };
    EXPECT_GT(Capture(grid.m_hWnd).Count(RECT{0, 0, 21, hh}, padlock), 10);
    EXPECT_EQ(arrows(), (std::vector<int>{0, 0, 0}));  // nothing sorted yet

    grid.Options.SortColumnId = 1;
    EXPECT_GE(arrows()[0], 15);
    grid.Options.SortAscending = false;  // the other arrow, same grey
    EXPECT_GE(arrows()[0], 15);
    grid.Options.SortEnabled = false;
    EXPECT_EQ(arrows()[0], 0);
    grid.Options.SortEnabled = true;
    grid.Options.SortColumnId = 2;  // a fixed column shows none
    EXPECT_EQ(arrows(), (std::vector<int>{0, 0, 0}));
    grid.Options.SortColumnId = 3;  // nor does one narrower than 16 pixels
    EXPECT_EQ(arrows(), (std::vector<int>{0, 0, 0}));
}

TEST_P(ListPaint, SelectedRowIsFilledUpToTheContentEdge) {
    grid.AddColumn(L"A", 100, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"B", 100, -1, false, CELL_EDIT, 0);
    for (int i = 0; i < 3; ++i) grid.AddRow({L"a", L"b"});
    grid.SelectRow(1, -1, 0);
    Capture shot(grid.m_hWnd);
    const int top = hh + rh, bottom = hh + 2 * rh;
    if (!Themed()) {
        EXPECT_TRUE(shot.Uniform(RECT{150, top, 199, bottom}, GetSysColor(COLOR_HIGHLIGHT)));
    } else {
        // Unfocused: grey frame, then a light-to-darker grey gradient.
        EXPECT_EQ(shot.At(150, top), RGB(0xDC, 0xDC, 0xDC));
        EXPECT_EQ(shot.At(150, top + 1), RGB(0xF5, 0xF5, 0xF5));
        const COLORREF upper = shot.At(150, top + 2), lower = shot.At(150, bottom - 3);
        EXPECT_TRUE(Capture::Near(upper, RGB(0xFA, 0xFA, 0xFA), 2)) << std::hex << upper;
        EXPECT_TRUE(Capture::Near(lower, RGB(0xEB, 0xEB, 0xEB), 3)) << std::hex << lower;
        EXPECT_GT(GetGValue(upper), GetGValue(lower));
    }
    EXPECT_TRUE(shot.Uniform(RECT{201, top, shot.width, bottom}, background));
    EXPECT_TRUE(shot.Uniform(RECT{150, hh, 199, top}, background));  // row 0 untouched
}

TEST_P(ListPaint, FocusedSelectionAndCurrentCellUseTheFocusColours) {
    grid.Options.CellFocus = true;
    grid.AddColumn(L"A", 100, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"B", 100, -1, false, CELL_EDIT, 0);
    for (int i = 0; i < 3; ++i) grid.AddRow({L"", L""});
    grid.SelectRow(0, 1, 0);  // row 0, current cell 1
    grid.SetCurrent(2, 1);    // a current cell on a row that is not selected
    Capture unfocused(grid.m_hWnd);
    SetFocus(grid.m_hWnd);
    ASSERT_EQ(GetFocus(), grid.m_hWnd);
    Capture focused(grid.m_hWnd);
    const RECT current = Cell(2, 100, 200);
    const int middle = (current.top + current.bottom) / 2;
    if (!Themed()) {
        for (const Capture* shot : {&unfocused, &focused})
            EXPECT_TRUE(shot->Uniform(current, RGB(0xB4, 0xBE, 0xD2)));
    } else {
        EXPECT_TRUE(unfocused.Uniform(current, background));  // nothing when unfocused
        EXPECT_EQ(focused.At(150, current.top), RGB(0xAA, 0xC8, 0xF5));
        EXPECT_TRUE(Capture::Near(focused.At(150, middle), RGB(0xEB, 0xF5, 0xF5), 12));
        // Focused selection: blue frame and gradient.
        EXPECT_EQ(focused.At(50, hh), RGB(0xAA, 0xC8, 0xF5));
        EXPECT_TRUE(Capture::Near(focused.At(50, hh + 2), RGB(0xD2, 0xF0, 0xFA), 2));
        EXPECT_TRUE(Capture::Near(focused.At(50, hh + rh - 3), RGB(0xB9, 0xD7, 0xFA), 6));
    }
}

TEST_P(ListPaint, CheckAndThreeStateCellsShowTheirImages) {
    grid.AddColumn(L"C", 40, -1, false, CELL_CHECK, 0);
    grid.AddColumn(L"T", 40, -1, false, CELL_TRISTATE, 0);
    grid.AddRow({L"1", L"1"});
    grid.AddRow({L"0", L"0"});
    grid.AddRow({L"-1", L"-1"});
    grid.AddRow({L"x", L"7"});
    Capture shot(grid.m_hWnd);
    auto check = [&](int row) { return Cell(row, 0, 40); };
    auto tri = [&](int row) { return Cell(row, 40, 80); };
    EXPECT_GT(shot.Count(check(0), BLUE_CHECK), 5);
    for (int row : {1, 2, 3}) {
        EXPECT_EQ(shot.Count(check(row), BLUE_CHECK), 0) << row;
        EXPECT_GT(shot.Count(check(row), BOX_INSIDE), 50) << row;
    }
    EXPECT_GT(shot.Count(tri(0), GREEN_CHECK), 5);
    EXPECT_GT(shot.Count(tri(3), GREEN_CHECK), 5);
    EXPECT_EQ(shot.Count(tri(1), GREEN_CHECK) + shot.Count(tri(1), RED_CROSS), 0);
    EXPECT_GT(shot.Count(tri(1), BOX_INSIDE), 50);
    EXPECT_GT(shot.Count(tri(2), RED_CROSS), 5);
    // The key colour never shows.
    EXPECT_EQ(shot.Count(RECT{0, hh, 80, hh + 4 * rh}, RGB(255, 0, 255)), 0);
}

TEST_P(ListPaint, ProgressCellFillsItsShareOfTheBar) {
    grid.AddColumn(L"P", 106, -1, false, CELL_PROGRESS, 0);
    grid.AddRow({L"50"});
    grid.AddRow({L"0"});
    grid.AddRow({L"not a number"});
    grid.AddRow({L"250"});
    Capture shot(grid.m_hWnd);
    // Inner bar: the cell less 3 + 3 on each side, 94 pixels from x = 6.
    const int inner = 94, left = 6;
    auto mid = [&](int row) { return hh + row * rh + rh / 2; };
    EXPECT_EQ(shot.At(left + inner / 4, mid(1)), shot.At(left + inner / 4, mid(2)));
    EXPECT_NE(shot.At(left + inner / 4, mid(0)), shot.At(left + inner / 4, mid(1)));
    EXPECT_EQ(shot.At(left + 3 * inner / 4, mid(0)), shot.At(left + 3 * inner / 4, mid(1)));
    EXPECT_NE(shot.At(left + 3 * inner / 4, mid(3)), shot.At(left + 3 * inner / 4, mid(1)));
    if (!Themed()) {
        // Exactly half the inner width carries the green gradient.
        int filled = 0;
        for (int x = 0; x < 106; ++x) {
            const COLORREF c = shot.At(x, mid(0));
            filled += GetGValue(c) > GetRValue(c) + 30 && GetGValue(c) > GetBValue(c) + 30;
        }
        EXPECT_EQ(filled, inner / 2);
    }
}

TEST_P(ListPaint, LinkCellIsDrawnInTheLinkColour) {
    grid.AddColumn(L"L", 150, -1, false, CELL_LINK, 0);
    grid.AddColumn(L"E", 150, -1, false, CELL_EDIT, 0);
    grid.AddRow({L"http://example.org/", L"http://example.org/"});
    Capture shot(grid.m_hWnd);
    const COLORREF link = RGB(0, 0, 0xC8);
    EXPECT_GT(shot.Count(Cell(0, 0, 150), link), 10);
    EXPECT_EQ(shot.Count(Cell(0, 150, 300), link), 0);
}

TEST_P(ListPaint, OnePixelColumnIsNotDrawn) {
    grid.Options.CellFocus = true;
    grid.AddColumn(L"A", 60, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"P", 1, -1, false, CELL_PROGRESS, 0);
    grid.AddColumn(L"B", 60, -1, false, CELL_EDIT, 0);
    grid.AddRow({L"", L"100", L""});
    grid.SetCurrent(0, 1);
    SetFocus(grid.m_hWnd);
    Capture shot(grid.m_hWnd);
    EXPECT_TRUE(shot.Uniform(Cell(0, 50, 121), background));

    // The same cell two pixels wide is drawn: the check above can fail.
    grid.SetColumnWidth(1, 2);
    Capture wider(grid.m_hWnd);
    EXPECT_FALSE(wider.Uniform(Cell(0, 50, 122), background));
}

TEST_P(ListPaint, OwnerDrawColumnFirstLeavesRowsBlank) {
    grid.AddColumn(L"O", 80, -1, false, CELL_OWNERDRAW, 0);
    grid.AddColumn(L"E", 100, -1, false, CELL_EDIT, 0);
    for (int i = 0; i < 3; ++i) grid.AddRow({L"owner", L"Visible text"});
    Capture shot(grid.m_hWnd);
    EXPECT_TRUE(shot.Uniform(RECT{0, hh, shot.width, shot.height}, background));

    // Second instead of first: the cells before it are drawn.
    CTestGrid other;
    const RECT rect{0, 0, 400, 200};
    ASSERT_NE(other.Create(parent.m_hWnd, rect, nullptr, WS_CHILD, 0, 2), nullptr);
    other.Options.UseThemes = Themed();
    other.AddColumn(L"E", 100, -1, false, CELL_EDIT, 0);
    other.AddColumn(L"O", 80, -1, false, CELL_OWNERDRAW, 0);
    other.AddColumn(L"F", 100, -1, false, CELL_EDIT, 0);
    other.AddRow({L"Visible text", L"owner", L"Hidden text"});
    Capture two(other.m_hWnd);
    EXPECT_FALSE(two.Uniform(Cell(0, 0, 100), background));
    EXPECT_TRUE(two.Uniform(Cell(0, 100, 400), background));
}

TEST_P(ListPaint, TimeOnlyDateCellShowsJustTheTime) {
    const SYSTEMTIME date = KeyDate();
    const std::wstring time = CTestGrid::FormatCellTime(date);
    const std::wstring both = CTestGrid::FormatCellDate(date) + L" " + time;
    ASSERT_FALSE(time.empty());
    grid.AddColumn(L"", 20, -1, false, CELL_EDIT, 0);
    grid.AddColumn(L"D", 150, -1, false, CELL_DATETIME, CELLF_TIME_ONLY);
    grid.AddColumn(L"T", 150, -1, false, CELL_EDIT, 0);
    grid.AddRow({L"", L"20240229133005", time});
    grid.AddRow({L"", L"20240229133005", both});
    grid.AddRow({L"", L"", L""});
    Capture shot(grid.m_hWnd);
    auto same = [&](int row) {
        for (int y = hh + row * rh; y < hh + (row + 1) * rh; ++y)
            for (int x = 0; x < 150; ++x)
                if (shot.At(20 + x, y) != shot.At(170 + x, y)) return false;
        return true;
    };
    EXPECT_TRUE(same(0));   // the time-only cell reads exactly as its time text
    EXPECT_FALSE(same(1));  // and not as the date and time
    EXPECT_TRUE(shot.Uniform(Cell(2, 20, 170), background));  // no date: nothing
}

TEST_P(ListPaint, AnimatedScrollSlidesTheRowsThenSettles) {
    grid.AddColumn(L"A", 200, -1, false, CELL_EDIT, 0);
    for (int i = 0; i < 40; ++i) grid.AddRow({std::wstring(i % 7 + 1, L'W')});
    grid.SelectRow(3, -1, 0);
    const Capture before(grid.m_hWnd);
    grid.Options.SmoothScroll = true;
    SendMessageW(grid.m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_TRUE(grid.IsAnimating());
    // Timer messages are not dispatched here; each WM_TIMER is one frame.
    auto shiftedBy = [&](const Capture& frame, int offset) {
        // Rows that were whole before; the last partial row may differ.
        for (int y = hh; y + offset < frame.height - rh; ++y)
            for (int x = 0; x < 200; ++x)
                if (frame.At(x, y) != before.At(x, y + offset)) return false;
        return true;
    };
    EXPECT_TRUE(shiftedBy(Capture(grid.m_hWnd), 0));
    SendMessageW(grid.m_hWnd, WM_TIMER, 1004, 0);
    ScrollAnimation steps;
    steps.Start(0, 1, rh);
    steps.Tick();
    EXPECT_GT(steps.Remaining(), 0);
    EXPECT_TRUE(shiftedBy(Capture(grid.m_hWnd), rh - steps.Remaining()));
    int frames = 1;
    while (grid.IsAnimating() && frames < 50) {
        SendMessageW(grid.m_hWnd, WM_TIMER, 1004, 0);
        ++frames;
    }
    EXPECT_FALSE(grid.IsAnimating());
    EXPECT_LE(frames, 2 * rh);
    EXPECT_TRUE(shiftedBy(Capture(grid.m_hWnd), rh));
    // A second line request before the end of the scroll is not animated.
    SendMessageW(grid.m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(grid.IsAnimating());
    EXPECT_TRUE(shiftedBy(Capture(grid.m_hWnd), 2 * rh));
    SendMessageW(grid.m_hWnd, WM_VSCROLL, SB_ENDSCROLL, 0);
    SendMessageW(grid.m_hWnd, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_TRUE(grid.IsAnimating());
}

TEST_P(ListPaint, SelectionRectangleBlendsOverTheRowsAndIsFramed) {
    grid.AddColumn(L"A", 200, -1, false, CELL_EDIT, 0);
    for (int i = 0; i < 5; ++i) grid.AddRow({L""});
    const RECT band{10, hh - 5, 150, hh + 3 * rh};  // starts above the items
    grid.SetSelectionRectangle(&band);
    Capture shot(grid.m_hWnd);
    const COLORREF frame = GetSysColor(Themed() ? COLOR_HIGHLIGHT : COLOR_WINDOWTEXT);
    const COLORREF fill = Themed() ? GetSysColor(COLOR_HIGHLIGHT) : RGB(0xB4, 0xBE, 0xD2);
    // Window colour, 180/255 opaque, over the fill colour.
    auto blend = [&](BYTE over, BYTE under) { return BYTE((over * 180 + under * 75) / 255); };
    const COLORREF window = background;
    const COLORREF expected = RGB(blend(GetRValue(window), GetRValue(fill)),
                                  blend(GetGValue(window), GetGValue(fill)),
                                  blend(GetBValue(window), GetBValue(fill)));
    EXPECT_TRUE(Capture::Near(shot.At(80, hh + rh), expected, 2)) << std::hex << shot.At(80, hh + rh);
    EXPECT_EQ(shot.At(10, hh + rh), frame);              // left edge
    EXPECT_EQ(shot.At(80, hh), frame);                   // top held to the item area
    EXPECT_EQ(shot.At(80, hh + 3 * rh - 1), frame);      // bottom edge
    EXPECT_EQ(shot.At(160, hh + rh), background);        // outside untouched
    EXPECT_EQ(shot.At(80, hh + 3 * rh + 2), background);

    grid.SetSelectionRectangle(nullptr);
    EXPECT_EQ(Capture(grid.m_hWnd).At(80, hh + rh), background);
}

namespace {

// A grid whose hot and pressed header columns a test can set.
class CBandGrid : public CTestGrid {
public:
    void SetHotAndPressed(int hot, int pressed) {
        Band().SetHotColumn(hot);
        Band().SetPressedColumn(pressed);
    }
};

// The header band's pixels of a capture.
std::vector<DWORD> Band(const Capture& shot, int height) {
    return std::vector<DWORD>(shot.pixels.begin(), shot.pixels.begin() + shot.width * height);
}

}  // namespace

// The band is copied from a picture of what it showed last: after each
// change it must look exactly as a grid drawn afresh in the new state.
TEST_P(ListPaint, HeaderBandShowsEveryChangeAtOnce) {
    struct Change {
        const char* what;
        std::function<void(CBandGrid&)> prepare, apply;
        bool visibleClassic, visibleThemed;
    };
    const auto none = [](CBandGrid&) {};
    const auto widen = [](CBandGrid& g) { g.SetColumnWidth(1, 600); };
    const Change changes[] = {
        {"width", none, [](CBandGrid& g) { g.SetColumnWidth(0, 60); }, true, true},
        {"column added", none,
         [](CBandGrid& g) { g.AddColumn(L"Gamma", 80, 6, false, CELL_EDIT, 0); }, true, true},
        {"sort column", none, [](CBandGrid& g) { g.Options.SortColumnId = 0; }, true, true},
        {"sort direction", none, [](CBandGrid& g) { g.Options.SortAscending = false; }, true,
         true},
        {"hot column", none, [](CBandGrid& g) { g.SetHotAndPressed(0, -1); }, false, true},
        {"pressed column", none, [](CBandGrid& g) { g.SetHotAndPressed(-1, 1); }, true, true},
        {"scrolled", widen,
         [](CBandGrid& g) { SendMessageW(g.m_hWnd, WM_HSCROLL, SB_PAGERIGHT, 0); }, true, true},
        {"client width", none, [](CBandGrid& g) { MoveWindow(g.m_hWnd, 0, 0, 150, 200, FALSE); },
         true, true},
        {"themes switched", none, [](CBandGrid& g) { g.Options.UseThemes = !g.Options.UseThemes; },
         true, true},
        {"system colours", none,
         [](CBandGrid& g) {
             const int element = COLOR_BTNFACE;
             const COLORREF face = RGB(0x40, 0x90, 0x40);
             SetSysColors(1, &element, &face);
             SendMessageW(g.m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
         },
         true, false},
    };
    const COLORREF savedFace = GetSysColor(COLOR_BTNFACE);
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        auto make = [&](CBandGrid& g) {
            const RECT rect{0, 0, 400, 200};
            ASSERT_NE(g.Create(parent.m_hWnd, rect, nullptr, WS_CHILD | WS_VISIBLE, 0, LIST_ID),
                      nullptr);
            g.Options.UseThemes = Themed();
            g.AddColumn(L"Alpha", 100, -1, false, CELL_EDIT, 0);
            g.AddColumn(L"Beta", 100, -1, false, CELL_EDIT, 0);
            g.Options.SortColumnId = 1;
            change.prepare(g);
        };
        CBandGrid shown, fresh;
        make(shown);
        const Capture before(shown.m_hWnd);
        change.apply(shown);
        const Capture after(shown.m_hWnd);
        make(fresh);
        change.apply(fresh);
        const Capture expected(fresh.m_hWnd);
        if (GetSysColor(COLOR_BTNFACE) != savedFace) {
            const int element = COLOR_BTNFACE;
            SetSysColors(1, &element, &savedFace);
        }

        const int band = shown.GetHeaderHeight();
        EXPECT_EQ(Band(after, band), Band(expected, band));
        if (Themed() ? change.visibleThemed : change.visibleClassic) {
            EXPECT_NE(Band(before, band), Band(after, band)) << "the change shows on the band";
        }
        shown.DestroyWindow();
        fresh.DestroyWindow();
    }
}
