#include <gtest/gtest.h>

#include "listctrl/rules/DateKey.h"
#include "listctrl/rules/ListColumn.h"
#include "listctrl/rules/RowSelection.h"

namespace {

unsigned Normalized(unsigned flags) { return ListColumn::NormalizeFlags(flags); }

}  // namespace

TEST(ListColumnFlags, AlignmentKeepsTheStrongestBit) {
    EXPECT_EQ(Normalized(CELLF_CENTER | CELLF_RIGHT | CELLF_LEFT), unsigned(CELLF_CENTER));
    EXPECT_EQ(Normalized(CELLF_RIGHT | CELLF_LEFT), unsigned(CELLF_RIGHT));
    EXPECT_EQ(Normalized(CELLF_LEFT | CELLF_READONLY), unsigned(CELLF_LEFT | CELLF_READONLY));
}

TEST(ListColumnFlags, NumericAndDateBitsExcludeTheirRivals) {
    EXPECT_EQ(Normalized(CELLF_UPPERCASE | CELLF_INTEGER), unsigned(CELLF_INTEGER));
    EXPECT_EQ(Normalized(CELLF_SIGNED), 0u);
    EXPECT_EQ(Normalized(CELLF_COMPARATORS | CELLF_UPPERCASE), unsigned(CELLF_UPPERCASE));
    EXPECT_EQ(Normalized(CELLF_DECIMAL | CELLF_SIGNED | CELLF_COMPARATORS),
              unsigned(CELLF_DECIMAL | CELLF_SIGNED | CELLF_COMPARATORS));
    EXPECT_EQ(Normalized(CELLF_DATE_ONLY | CELLF_TIME_ONLY | CELLF_DATE_OPTIONAL),
              unsigned(CELLF_DATE_ONLY | CELLF_DATE_OPTIONAL));
    EXPECT_EQ(Normalized(CELLF_COMBO_EDITABLE | CELLF_DATE_ONLY | CELLF_TIME_ONLY |
                         CELLF_DATE_OPTIONAL | CELLF_PROGRESS_CLASSIC),
              unsigned(CELLF_COMBO_EDITABLE | CELLF_PROGRESS_CLASSIC));
}

TEST(ListColumnFlags, ImageOnlyColumnIsCentredAndSizedToTheImage) {
    ListColumn imageOnly;
    imageOnly.Width = 300;
    imageOnly.Image = 6;
    imageOnly.Flags = CELLF_RIGHT;
    imageOnly.Normalize(16);
    EXPECT_EQ(imageOnly.Width, 21);
    EXPECT_EQ(imageOnly.Flags, unsigned(CELLF_CENTER));

    ListColumn titled;  // a title keeps width and alignment
    titled.Title = L"T";
    titled.Width = 300;
    titled.Image = 6;
    titled.Flags = CELLF_RIGHT;
    titled.Normalize(16);
    EXPECT_EQ(titled.Width, 300);
    EXPECT_EQ(titled.Flags, unsigned(CELLF_RIGHT));

    ListColumn noImage;  // empty title without an image is left alone
    noImage.Width = 40;
    noImage.Normalize(16);
    EXPECT_EQ(noImage.Width, 40);
    EXPECT_EQ(noImage.Flags, 0u);
}

TEST(DateKeys, ReadAndWriteTheFourteenDigitForm) {
    DateKey key;
    ASSERT_TRUE(DateKey::Parse(L"20240229133005", key));
    EXPECT_EQ(key.Year, 2024);
    EXPECT_EQ(key.Month, 2);
    EXPECT_EQ(key.Day, 29);
    EXPECT_EQ(key.Hour, 13);
    EXPECT_EQ(key.Minute, 30);
    EXPECT_EQ(key.Second, 5);
    std::wstring text;
    ASSERT_TRUE(key.Format(text));
    EXPECT_EQ(text, L"20240229133005");

    DateKey timeOnly{0, 0, 0, 7, 5, 9};
    ASSERT_TRUE(timeOnly.Format(text));
    EXPECT_EQ(text, L"00000000070509");
}

TEST(DateKeys, MalformedKeysReadAsNoDateWithAllFieldsZero) {
    for (const wchar_t* bad : {L"", L"2024022913300", L"202402291330055", L"2024-2-29133005",
                               L"2024022913300x", L" 0240229133005"}) {
        DateKey key{1, 2, 3, 4, 5, 6};
        EXPECT_FALSE(DateKey::Parse(bad, key)) << bad;
        EXPECT_EQ(key.Year + key.Month + key.Day + key.Hour + key.Minute + key.Second, 0) << bad;
    }
}

TEST(DateKeys, FieldsTooWideForTheKeyAreRefusedAndLeaveTheTextAlone) {
    std::wstring text = L"unchanged";
    EXPECT_FALSE((DateKey{10000, 1, 1, 0, 0, 0}.Format(text)));
    EXPECT_FALSE((DateKey{2024, 100, 1, 0, 0, 0}.Format(text)));
    EXPECT_FALSE((DateKey{2024, 1, 1, -1, 0, 0}.Format(text)));
    EXPECT_EQ(text, L"unchanged");
    EXPECT_TRUE((DateKey{9999, 99, 99, 99, 99, 99}.Format(text)));
    EXPECT_EQ(text, L"99999999999999");
}

TEST(RowSelectionModel, ItemRemovedRenumbersTheRowsBelow) {
    RowSelection sel;
    sel.Select(1, 0, false, false, false);
    sel.Select(3, 0, false, true, false);
    sel.Select(5, 1, false, true, false);
    ASSERT_EQ(sel.Rows(), (std::vector<int>{1, 3, 5}));
    ASSERT_EQ(sel.AnchorRow, 5);
    sel.ItemRemoved(3);
    EXPECT_EQ(sel.Rows(), (std::vector<int>{1, 4}));
    EXPECT_EQ(sel.AnchorRow, 4);
    EXPECT_EQ(sel.CurrentRow, 4);

    sel.ItemRemoved(4);  // the focus row itself
    EXPECT_EQ(sel.Rows(), (std::vector<int>{1}));
    EXPECT_EQ(sel.AnchorRow, -1);
    EXPECT_EQ(sel.CurrentRow, -1);
    int row = 0, cell = 0;
    ASSERT_TRUE(sel.GetCurrent(true, row, cell));
    EXPECT_EQ(row, 1);

    sel.ItemRemoved(7);  // beyond everything: nothing moves
    EXPECT_EQ(sel.Rows(), (std::vector<int>{1}));
}

TEST(RowSelectionModel, ItemRemovedOfAnUnselectedRowAboveKeepsTheSameRowsChosen) {
    // Rows {1, 3} selected, row 2 removed: the same two rows are now 1 and 2.
    RowSelection sel;
    sel.Select(1, -1, false, false, false);
    sel.Select(3, -1, false, true, false);
    sel.ItemRemoved(2);
    EXPECT_EQ(sel.Rows(), (std::vector<int>{1, 2}));
    EXPECT_EQ(sel.CurrentRow, 2);
    sel.ItemRemoved(0);
    EXPECT_EQ(sel.Rows(), (std::vector<int>{0, 1}));
    EXPECT_EQ(sel.AnchorRow, 1);
}

TEST(RowSelectionModel, PlainCtrlAndShiftClicks) {
    RowSelection sel;
    auto out = sel.Select(2, 1, false, false, false);
    EXPECT_TRUE(out.Notify);
    EXPECT_EQ(out.ReportedCell, 1);

    out = sel.Select(2, 0, false, false, false);  // the only selected row again
    EXPECT_FALSE(out.Notify);
    EXPECT_EQ(sel.CurrentCell, 0);

    out = sel.Select(5, 1, true, false, false);  // Shift range 2..5
    EXPECT_TRUE(out.Notify);
    EXPECT_EQ(out.ReportedCell, -1);  // several rows: no cell reported
    EXPECT_EQ(sel.Rows(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(sel.AnchorRow, 2);

    out = sel.Select(4, 1, false, true, false);  // Ctrl+click deselects
    EXPECT_FALSE(out.Notify);
    EXPECT_EQ(sel.Rows(), (std::vector<int>{2, 3, 5}));

    sel.Clear();
    out = sel.Select(3, 1, true, false, false);  // Shift without anchor
    EXPECT_EQ(sel.Rows(), (std::vector<int>{3}));
    EXPECT_EQ(sel.AnchorRow, 3);

    out = sel.Select(3, 1, false, true, false);  // Ctrl on the only row
    EXPECT_FALSE(out.Notify);
    int row = 0, cell = 0;
    EXPECT_FALSE(sel.GetCurrent(true, row, cell));
    EXPECT_EQ(row, -1);
    EXPECT_EQ(cell, -1);
}

TEST(RowSelectionModel, SingleSelectTurnsShiftAndCtrlIntoReplacement) {
    RowSelection sel;
    sel.Select(1, 0, false, false, true);
    sel.Select(4, 0, true, false, true);
    EXPECT_EQ(sel.Rows(), (std::vector<int>{4}));
    auto out = sel.Select(6, 0, false, true, true);
    EXPECT_TRUE(out.Notify);
    EXPECT_EQ(sel.Rows(), (std::vector<int>{6}));
}

TEST(RowSelectionModel, CurrentCellFallsBackToTheLowestSelectedRow) {
    RowSelection sel;
    sel.Select(4, 1, false, false, false);
    sel.Select(2, 1, false, true, false);
    sel.Select(2, 1, false, true, false);  // deselect the focus row
    int row = 0, cell = 0;
    ASSERT_TRUE(sel.GetCurrent(false, row, cell));
    EXPECT_EQ(row, 4);
    EXPECT_EQ(cell, -1);
    ASSERT_TRUE(sel.GetCurrent(true, row, cell));
    EXPECT_EQ(cell, 1);
}
