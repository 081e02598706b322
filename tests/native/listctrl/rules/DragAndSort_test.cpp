#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "listctrl/rules/ColumnDrop.h"
#include "listctrl/rules/DropRule.h"
#include "listctrl/rules/UserDataOrder.h"

namespace {

enum : unsigned { NONE = 0, COPY = 1, MOVE = 2, LINK = 4, SCROLL = 0x80000000u };
enum : unsigned { LBUTTON = 1, SHIFT = 4, CONTROL = 8 };

// Ids 0, 1, 2 at x 0-50, 50-110, 110-180.
std::vector<ListColumn> ThreeColumns() {
    std::vector<ListColumn> columns(3);
    for (int i = 0; i < 3; ++i) {
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
    const struct {
        bool hasData;
        unsigned keys, offered, expected;
    } cases[] = {
        {false, 0, COPY | MOVE | LINK, NONE},  // no data accepted: never a drop
        {true, 0, COPY | MOVE | LINK, COPY},   {true, 0, MOVE | LINK, MOVE},
        {true, LBUTTON, LINK | SCROLL, LINK},  {true, 0, NONE, NONE},
        {true, CONTROL, COPY | MOVE, COPY},    {true, CONTROL, MOVE, NONE},
        {true, SHIFT, MOVE, MOVE},             {true, SHIFT, COPY | LINK, NONE},
        {true, CONTROL | SHIFT, LINK | MOVE, LINK}, {true, CONTROL | SHIFT, MOVE, NONE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DropRule::Settle(c.hasData, c.keys, c.offered), c.expected)
            << c.hasData << " " << c.keys << " " << c.offered;
}

TEST(ColumnDropPosition, CentreSplitsAndOwnPlaceIsNoDrop) {
    const struct {
        int hit, left, right, x, dragged, expected;
    } cases[] = {
        {2, 110, 180, 145, 0, 3},    // at the centre: after the column
        {2, 110, 180, 144, 0, 2},    // just left of it: before
        {0, 0, 50, 10, 2, 0},        // last column onto the left half of the first
        {0, 0, 50, 40, 0, -1},       // its own column
        {1, 50, 110, 60, 0, -1},     // just right of its own place
        {-1, 0, 0, 500, 0, -1},      // over no column
        {2, 110, 180, 170, -1, -1},  // no dragged column
        {1, -30, 30, 0, 0, 2},       // scrolled: the centre itself is the right half
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColumnDrop::DropPosition(c.hit, c.left, c.right, c.x, c.dragged), c.expected)
            << c.hit << " " << c.x << " " << c.dragged;
    const std::vector<ListColumn> columns = ThreeColumns();
    EXPECT_EQ(ColumnDrop::InsertionEdge(columns, 0), 0);
    EXPECT_EQ(ColumnDrop::InsertionEdge(columns, 2), 110);
    EXPECT_EQ(ColumnDrop::InsertionEdge(columns, 3), 180);  // after the last column
}

TEST(ColumnDropMove, ColumnsMoveWithTheirIdsAndNeverOntoTheirOwnPlace) {
    const struct {
        int dragged, drop;
        std::vector<int> ids;
    } cases[] = {
        {0, 3, {1, 2, 0}},  // first to last
        {2, 0, {2, 0, 1}},  // last to first
        {1, 0, {1, 0, 2}},  // "Value" first: position 0 now reads Id 1
        {0, 2, {1, 0, 2}},
        {1, 1, {0, 1, 2}},  {1, 2, {0, 1, 2}},  {-1, 0, {0, 1, 2}},
        {3, 0, {0, 1, 2}},  {0, 4, {0, 1, 2}},  {0, -1, {0, 1, 2}},
    };
    for (const auto& c : cases) {
        std::vector<ListColumn> columns = ThreeColumns();
        EXPECT_EQ(ColumnDrop::MoveColumn(columns, c.dragged, c.drop), c.ids != Ids(ThreeColumns()));
        EXPECT_EQ(Ids(columns), c.ids) << c.dragged << "->" << c.drop;
        for (const ListColumn& column : columns) EXPECT_EQ(column.Width, 50 + 10 * column.Id);
        if (c.ids == Ids(ThreeColumns())) continue;
        // Each position follows its column (Id = position before the move).
        for (int position = -1; position < 3; ++position) {
            const auto found = std::find(c.ids.begin(), c.ids.end(), position);
            const int expected = position == -1 ? -1 : static_cast<int>(found - c.ids.begin());
            EXPECT_EQ(ColumnDrop::PositionAfterMove(position, c.dragged, c.drop), expected)
                << c.dragged << "->" << c.drop << " position " << position;
        }
    }
}

TEST(UserDataOrderSort, OrdinalOrderOfCodeUnitsAndReversal) {
    std::vector<UserDataItem> items = {
        {L"t1", L"b", L"2"}, {L"t2", L"B", L"1"}, {L"t3", L"a", L"3"}, {L"t4", L"", L"0"}};
    UserDataOrder::Sort(items, 0);
    EXPECT_EQ(Names(items), (std::vector<std::wstring>{L"", L"B", L"a", L"b"}));
    EXPECT_EQ(items[1].Tag + items[1].Value, L"t21");  // whole rows move
    UserDataOrder::Sort(items, 1);
    EXPECT_EQ(Names(items), (std::vector<std::wstring>{L"", L"B", L"b", L"a"}));
    UserDataOrder::Sort(items, 2);  // no key: left as it is
    UserDataOrder::Reverse(items);
    EXPECT_EQ(Names(items), (std::vector<std::wstring>{L"a", L"b", L"B", L""}));

    // A prefix first; code units compare as numbers, beyond any locale.
    std::vector<UserDataItem> more = {{L"", L"ab", L""}, {L"", L"\u00e9", L""},
                                      {L"", L"a", L""}, {L"", L"Z", L""}};
    UserDataOrder::Sort(more, 0);
    EXPECT_EQ(Names(more), (std::vector<std::wstring>{L"Z", L"a", L"ab", L"\u00e9"}));
}

// Many rows, many equal keys: every row comes out whole and in key order.
TEST(UserDataOrderSort, LargeListsKeepEveryRowWhole) {
    std::vector<UserDataItem> items;
    unsigned seed = 7;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const std::wstring name = L"h" + std::to_wstring(seed % 700);
        items.push_back({std::to_wstring(i), name, L"v" + std::to_wstring(i)});
    }
    std::vector<UserDataItem> expected = items;
    UserDataOrder::Sort(items, 0);
    ASSERT_TRUE(std::is_sorted(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return a.Name < b.Name;
    }));
    auto byTag = [](const UserDataItem& a, const UserDataItem& b) { return a.Tag < b.Tag; };
    std::sort(items.begin(), items.end(), byTag);
    std::sort(expected.begin(), expected.end(), byTag);
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].Name, expected[i].Name);
        EXPECT_EQ(items[i].Value, expected[i].Value);
    }
}
