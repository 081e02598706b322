#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "listctrl/CListUserData.h"
#include "listctrl/UserDataItem.h"

class BenchTable;
class SystemListView;

// The headers grid against the system ListView showing the same rows:
// adding them (redraw on and off, and the floor of filling a plain vector),
// painting one frame, header included (100 rows and all, themed and
// classic), and sorting by "Header" then reversing (and the floor of
// sorting the bare strings).
class ListBench {
public:
    // The ListView's slowest steps under Wine (adding with redraw on,
    // LVM_SORTITEMSEX) are timed `slowRuns` times, the rest `runs` times.
    ListBench(HWND parent, int rows, int runs, int slowRuns);
    ~ListBench();

    void Run(BenchTable& table);

private:
    void MeasureAdding(BenchTable& table);
    void MeasurePainting(BenchTable& table);
    void MeasureSorting(BenchTable& table);

    std::unique_ptr<CListUserData> MakeGrid(bool themed) const;
    std::unique_ptr<SystemListView> MakeListView(bool themed) const;
    void Fill(CListUserData& grid, int rows, bool redrawOff) const;
    void Fill(SystemListView& listView, int rows, bool redrawOff) const;
    double TimeFrames(HWND window, const std::function<void(HDC)>& paint) const;
    std::string Rows(const char* what, int rows) const;
    int Frames() const;

    HWND m_parent;
    int m_rows;
    int m_runs;
    int m_slowRuns;
    // The rows in the order they are added: names and values of shuffled numbers.
    std::vector<std::wstring> m_names, m_values;
    // Kept from the last adding run for painting and sorting.
    std::unique_ptr<CListUserData> m_grid;
    std::unique_ptr<SystemListView> m_listView;
};
