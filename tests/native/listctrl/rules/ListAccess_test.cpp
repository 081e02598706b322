#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listctrl/rules/AccessibleEditorName.h"
#include "listctrl/rules/AccessibleRowName.h"
#include "listctrl/rules/ListAccessState.h"

namespace {

using State = ListAccessState;
using Changes = std::vector<State::Change>;

State Grid(int rows, std::vector<int> selected, int focus = -1, int sortId = -1,
           bool ascending = true) {
    State state;
    state.RowCount = rows;
    state.SelectedRows = std::move(selected);
    state.FocusRow = focus;
    state.SortColumnId = sortId;
    state.SortAscending = ascending;
    return state;
}

}  // namespace

TEST(ListAccessState, TellsRowsThenSelectionThenFocusAndLumpsWhatIsTooMuchOrRenumbered) {
    struct Case {
        const char* what;
        State told, now;
        Changes expected;
    };
    std::vector<int> many;
    for (int row = 0; row < 18; ++row) many.push_back(row);
    const Case cases[] = {
        {"nothing changed", Grid(3, {1}, 1), Grid(3, {1}, 1), {}},
        {"arrow down: one row selected, then focused", Grid(3, {1}, 1), Grid(3, {2}, 2),
         {{State::SelectionSet, 2}, {State::RowFocused, 2}}},
        {"focus lost to an editor is not told", Grid(3, {1}, 1), Grid(3, {1}, -1), {}},
        {"focus back on the same row is told again", Grid(3, {1}, -1), Grid(3, {1}, 1),
         {{State::RowFocused, 1}}},
        {"shift range grows", Grid(5, {1}, 1), Grid(5, {1, 2, 3}, 3),
         {{State::SelectionAdded, 2}, {State::SelectionAdded, 3}, {State::RowFocused, 3}}},
        {"ctrl click takes one out of several", Grid(5, {1, 2, 3}, 3), Grid(5, {1, 3}, 2),
         {{State::SelectionRemoved, 2}, {State::RowFocused, 2}}},
        {"a click collapses several to one", Grid(5, {1, 2, 3}, 3), Grid(5, {1}, 1),
         {{State::SelectionSet, 1}, {State::RowFocused, 1}}},
        {"a single row replaced by two", Grid(5, {0}), Grid(5, {2, 3}),
         {{State::SelectionRemoved, 0}, {State::SelectionAdded, 2}, {State::SelectionAdded, 3}}},
        {"selection cleared", Grid(3, {0, 2}), Grid(3, {}),
         {{State::SelectionRemoved, 0}, {State::SelectionRemoved, 2}}},
        {"select all of many rows", Grid(18, {0}), Grid(18, many),
         {{State::SelectionReworked, -1}}},
        {"rows appended", Grid(1, {0}), Grid(3, {0}),
         {{State::RowCreated, 1}, {State::RowCreated, 2}}},
        {"too many rows appended at once", Grid(0, {}), Grid(17, {}), {{State::RowsReordered, -1}}},
        {"a selected row removed: numbers moved", Grid(3, {1, 2}), Grid(2, {1}),
         {{State::RowsReordered, -1}, {State::SelectionReworked, -1}}},
        {"sorted: selection cleared", Grid(3, {1}, 1), Grid(3, {}, -1, 0),
         {{State::RowsReordered, -1}, {State::SelectionReworked, -1}}},
        {"sorted the other way", Grid(3, {}, -1, 0), Grid(3, {}, -1, 0, false),
         {{State::RowsReordered, -1}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.now.ChangesSince(c.told), c.expected) << c.what;
        EXPECT_EQ(c.now == c.told, c.expected.empty() && c.now.FocusRow == c.told.FocusRow)
            << c.what;
    }
}

TEST(AccessibleRowName, TitlesEachCellWithTextInDisplayOrder) {
    struct Case {
        std::vector<TitledCell> cells;
        std::wstring expected;
    };
    const Case cases[] = {
        {{{L"Header", L"Accept"}, {L"Value", L"text/turtle"}},
         L"Header: Accept, Value: text/turtle"},
        {{{L"Value", L"b"}, {L"Header", L"a"}}, L"Value: b, Header: a"},
        {{{L"Header", L"."}, {L"Value", L""}}, L"Header: ."},
        {{{L"", L"1"}, {L"Name", L"x"}}, L"1, Name: x"},
        {{{L"Header", L""}, {L"Value", L""}}, L""},
        {{}, L""},
    };
    for (const Case& c : cases) EXPECT_EQ(AccessibleRowName(c.cells), c.expected);
}

TEST(AccessibleEditorName, NamesTheColumnAndTheRowCountedFromOne) {
    EXPECT_EQ(AccessibleEditorName(L"Header", 1), L"Header, row 2");
    EXPECT_EQ(AccessibleEditorName(L"Value", 0), L"Value, row 1");
    EXPECT_EQ(AccessibleEditorName(L"", 9), L"Row 10");
}
