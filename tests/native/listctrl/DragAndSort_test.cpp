#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listctrl/ColumnDrop.h"
#include "listctrl/DropRule.h"
#include "listctrl/UserDataOrder.h"

namespace {

enum : unsigned { NONE = 0, COPY = 1, MOVE = 2, LINK = 4, SCROLL = 0x80000000u };
enum : unsigned { LBUTTON = 1, SHIFT = 4, CONTROL = 8 };

std::vector<ListColumn> ThreeColumns() {
    std::vector<ListColumn> columns(3);
    const wchar_t* titles[] = {L"Header", L"Value", L"Third"};
    for (int i = 0; i < 3; ++i) {
        columns[i].Title = titles[i];
        columns[i].Width = 50 + 10 * i;
        columns[i].Id = i;
    }
    return columns;
}

std::vector<int> Ids(const std::vector<ListColumn>& columns) {
    std::vector<int> ids;
    for (const ListColumn& column : columns) ids.push_back(column.Id);
    return ids;
}

std::vector<std::wstring> Names(const std::vector<UserDataItem>& items) {
    std::vector<std::wstring> names;
    for (const UserDataItem& item : items) names.push_back(item.Name);
    return names;
}

}  // namespace

TEST(DropRuleTable, KeysChooseTheEffectTheSourceMustOffer) {
    struct Case {
        bool hasData;
        unsigned keys;
        unsigned offered;
        unsigned expected;
    } cases[] = {
        {false, 0, COPY | MOVE | LINK, NONE},  // no data accepted: never a drop
        {true, 0, COPY | MOVE | LINK, COPY},
        {true, 0, MOVE | LINK, MOVE},
        {true, LBUTTON, LINK | SCROLL, LINK},  // buttons and the scroll bit do not count
        {true, 0, NONE, NONE},
        {true, CONTROL, COPY | MOVE, COPY},
        {true, CONTROL, MOVE, NONE},  // Ctrl over a header drag: no drop
        {true, SHIFT, MOVE, MOVE},
        {true, SHIFT, COPY | LINK, NONE},
        {true, CONTROL | SHIFT, LINK | MOVE, LINK},
        {true, CONTROL | SHIFT, MOVE, NONE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropRule::Settle(c.hasData, c.keys, c.offered), c.expected)
            << "data " << c.hasData << " keys " << c.keys << " offered " << c.offered;
}

TEST(ColumnDropPosition, CentreSplitsAndOwnPlaceIsNoDrop) {
    // Columns 0..2 at 0-50, 50-110, 110-180; centres 25, 80, 145.
    struct Case {
        int hit, left, right, x, dragged, expected;
    } cases[] = {
        {2, 110, 180, 145, 0, 3},   // at the centre: after the column
        {2, 110, 180, 144, 0, 2},   // just left of it: before
        {0, 0, 50, 10, 2, 0},       // last column onto the left half of the first
        {0, 0, 50, 40, 0, -1},      // its own column
        {1, 50, 110, 60, 0, -1},    // just right of its own place
        {0, 0, 50, 30, 1, -1},      // just left of its own place
        {-1, 0, 0, 500, 0, -1},     // over no column
        {2, 110, 180, 170, -1, -1}, // no dragged column
        {1, -30, 30, 0, 0, 2},      // scrolled: the centre itself is the right half
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColumnDrop::DropPosition(c.hit, c.left, c.right, c.x, c.dragged), c.expected)
            << "hit " << c.hit << " x " << c.x << " dragged " << c.dragged;
}

TEST(ColumnDropPosition, ArrowsPointAtTheLeftEdgeOrAfterTheLastColumn) {
    const std::vector<ListColumn> columns = ThreeColumns();
    EXPECT_EQ(ColumnDrop::InsertionEdge(columns, 0), 0);
    EXPECT_EQ(ColumnDrop::InsertionEdge(columns, 2), 110);
    EXPECT_EQ(ColumnDrop::InsertionEdge(columns, 3), 180);
}

TEST(ColumnDropMove, ColumnsMoveWithTheirIds) {
    std::vector<ListColumn> columns = ThreeColumns();
    ASSERT_TRUE(ColumnDrop::MoveColumn(columns, 0, 3));  // first to last
    EXPECT_EQ(Ids(columns), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(columns[2].Title, L"Header");
    EXPECT_EQ(columns[2].Width, 50);

    columns = ThreeColumns();
    ASSERT_TRUE(ColumnDrop::MoveColumn(columns, 2, 0));  // last to first
    EXPECT_EQ(Ids(columns), (std::vector<int>{2, 0, 1}));

    columns = ThreeColumns();
    ASSERT_TRUE(ColumnDrop::MoveColumn(columns, 1, 0));  // "Value" before "Header"
    EXPECT_EQ(columns[0].Title, L"Value");
    EXPECT_EQ(columns[0].Id, 1);  // cells of position 0 are still read by Id 1

    columns = ThreeColumns();
    ASSERT_TRUE(ColumnDrop::MoveColumn(columns, 0, 2));  // before the last
    EXPECT_EQ(Ids(columns), (std::vector<int>{1, 0, 2}));
}

TEST(ColumnDropMove, OwnPlaceAndOutOfRangeChangeNothing) {
    for (auto [dragged, drop] : {std::pair{1, 1}, {1, 2}, {-1, 0}, {3, 0}, {0, 4}, {0, -1}}) {
        std::vector<ListColumn> columns = ThreeColumns();
        EXPECT_FALSE(ColumnDrop::MoveColumn(columns, dragged, drop)) << dragged << "->" << drop;
        EXPECT_EQ(Ids(columns), (std::vector<int>{0, 1, 2}));
    }
}

TEST(UserDataOrderSort, OrdinalOrderOfCodeUnits) {
    std::vector<UserDataItem> items = {
        {L"t1", L"b", L"2"}, {L"t2", L"B", L"1"}, {L"t3", L"a", L"3"}, {L"t4", L"", L"0"}};
    UserDataOrder::Sort(items, 0);
    EXPECT_EQ(Names(items), (std::vector<std::wstring>{L"", L"B", L"a", L"b"}));
    EXPECT_EQ(items[1].Tag, L"t2");  // whole rows move
    EXPECT_EQ(items[1].Value, L"1");

    UserDataOrder::Sort(items, 1);
    EXPECT_EQ(Names(items), (std::vector<std::wstring>{L"", L"B", L"b", L"a"}));

    // A prefix comes first; code units compare as numbers, beyond any locale.
    std::vector<UserDataItem> more = {
        {L"", L"ab", L""}, {L"", L"\u00e9", L""}, {L"", L"a", L""}, {L"", L"Z", L""}};
    UserDataOrder::Sort(more, 0);
    EXPECT_EQ(Names(more), (std::vector<std::wstring>{L"Z", L"a", L"ab", L"\u00e9"}));
}

TEST(UserDataOrderSort, OtherIdsKeepTheRowsAndReversalMirrorsThem) {
    std::vector<UserDataItem> items = {{L"", L"b", L""}, {L"", L"a", L""}, {L"", L"c", L""}};
    UserDataOrder::Sort(items, 2);
    UserDataOrder::Sort(items, -1);
    EXPECT_EQ(Names(items), (std::vector<std::wstring>{L"b", L"a", L"c"}));
    UserDataOrder::Reverse(items);
    EXPECT_EQ(Names(items), (std::vector<std::wstring>{L"c", L"a", L"b"}));

    std::vector<UserDataItem> none;
    UserDataOrder::Reverse(none);
    UserDataOrder::Sort(none, 0);
    EXPECT_TRUE(none.empty());
}
