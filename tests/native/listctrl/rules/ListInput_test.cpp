#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "listctrl/rules/RowSelection.h"
#include "listctrl/rules/TypeAhead.h"

namespace {

struct Click {
    int Row, Cell;
    bool Shift, Ctrl;
    // After the click:
    std::vector<int> Rows;
    int Anchor, Current, CurrentCell;
    bool Notify;
};

void Replay(RowSelection& sel, bool singleSelect, const std::vector<Click>& clicks) {
    for (size_t i = 0; i < clicks.size(); ++i) {
        const Click& c = clicks[i];
        const RowSelection::Outcome out = sel.Select(c.Row, c.Cell, c.Shift, c.Ctrl, singleSelect);
        EXPECT_EQ(sel.Rows(), c.Rows) << "click " << i;
        EXPECT_EQ(sel.AnchorRow, c.Anchor) << "click " << i;
        EXPECT_EQ(sel.CurrentRow, c.Current) << "click " << i;
        EXPECT_EQ(sel.CurrentCell, c.CurrentCell) << "click " << i;
        EXPECT_EQ(out.Notify, c.Notify) << "click " << i;
        EXPECT_EQ(out.ReportedCell, c.CurrentCell) << "click " << i;
    }
}

}  // namespace

TEST(RowSelectionModel, ClickSequencesKeepAnchorFocusAndReportedCell) {
    RowSelection sel;
    Replay(sel, false,
           {
               // row cell shift ctrl   rows        anchor cur cell notify
               {4, 1, false, false, {4}, 4, 4, 1, true},
               {1, 0, true, false, {1, 2, 3, 4}, 4, 1, -1, true},  // range upwards
               {6, 0, true, false, {4, 5, 6}, 4, 6, -1, true},     // same anchor
               {8, 1, false, true, {4, 5, 6, 8}, 8, 8, -1, true},  // Ctrl adds
               {5, 1, false, false, {5}, 5, 5, 1, true},           // plain click collapses
               {5, 0, false, false, {5}, 5, 5, 0, false},          // the only row again
               {7, 1, false, true, {5, 7}, 7, 7, -1, true},
               {7, 1, false, true, {5}, 7, 7, 1, false},           // Ctrl removes quietly
               {5, 1, false, true, {}, 5, 5, 1, false},
           });
    int row = 0, cell = 0;
    EXPECT_FALSE(sel.GetCurrent(true, row, cell));

    RowSelection single;
    Replay(single, true,
           {
               {2, 0, false, false, {2}, 2, 2, 0, true},
               {5, 1, true, false, {5}, 5, 5, 1, true},   // Shift is a plain click
               {3, 1, false, true, {3}, 3, 3, 1, true},   // Ctrl replaces
               {3, 0, false, true, {3}, 3, 3, 0, true},   // Ctrl on the selected row reselects it
           });
}

TEST(RowSelectionModel, SelectAllAndRectangleSpans) {
    RowSelection sel;
    sel.Select(2, 1, false, false, false);
    sel.SelectAll(4);
    EXPECT_EQ(sel.Rows(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(sel.AnchorRow, 2);
    EXPECT_EQ(sel.CurrentRow, 2);

    sel.SelectSpan(1, 3);
    EXPECT_EQ(sel.Rows(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(sel.AnchorRow, 1);
    EXPECT_EQ(sel.CurrentRow, 3);
    EXPECT_EQ(sel.CurrentCell, -1);

    sel.SelectSpan(0, -1);  // the rectangle touches no row
    EXPECT_TRUE(sel.Rows().empty());
    EXPECT_EQ(sel.AnchorRow, -1);
    int row = 0, cell = 0;
    EXPECT_FALSE(sel.GetCurrent(true, row, cell));
}

TEST(TypeAheadSearch, LettersBuildOneTextUntilAPause) {
    const std::vector<std::wstring> rows{L"apple", L"Banana", L"blueberry", L"Bob", L"cherry",
                                         L"bo"};
    std::uint32_t now = 0;
    TypeAhead search([&now] { return now; });
    const auto textOf = [&rows](int row) { return rows[row]; };

    struct Key {
        wchar_t Letter;
        std::uint32_t Time;
        int Current;
        int Found;
        const wchar_t* Text;
    } keys[] = {
        {L'B', 1000, -1, 1, L"B"},          // first B from the top
        {L'B', 2000, 1, 2, L"B"},           // after a pause the same letter moves on
        {L'B', 2100, 2, 3, L"B"},           // so does a quick repeat
        {L'O', 2300, 3, -1, L"BO"},         // "Bob" already begins with "bo": stays
        {L'O', 2500, 3, -1, L"BOO"},        // "Bob" does not, and nothing else does
        {L'B', 4000, 3, 5, L"B"},           // pause: from the row after the current one
        {L'B', 4500, 5, 1, L"B"},           // past the last row: wraps to the top
        {L'C', 4700, 1, -1, L"BC"},         // quick: appended, no row begins with "bc"
        {L'C', 6000, 1, 4, L"C"},           // a new letter after a pause searches from the top
        {L'Q', 9000, 4, -1, L"Q"},
        {L'A', 0xFFFFFF00u, -1, 0, L"A"},
        {L'P', 0x00000100u, 0, -1, L"AP"},  // the clock wrapped 512 ms later: still quick
    };
    for (const Key& k : keys) {
        now = k.Time;
        EXPECT_EQ(search.Find(k.Letter, k.Current, static_cast<int>(rows.size()), textOf), k.Found)
            << char(k.Letter) << " at " << k.Time;
        EXPECT_EQ(search.SearchText(), k.Text) << char(k.Letter) << " at " << k.Time;
    }
    EXPECT_EQ(search.Find(L'A', -1, 0, textOf), -1);  // no rows at all
}
