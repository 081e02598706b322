#include "bench/ListBench.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>

#include "bench/BenchTable.h"
#include "bench/SystemListView.h"
#include "framework/CUniqueHandle.h"

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 300;
constexpr double TODAY_US_PER_ROW = 60;  // adding with redraw on before this benchmark

}  // namespace

ListBench::ListBench(HWND parent, int rows, int runs, int slowRuns)
    : m_parent(parent), m_rows(rows), m_runs(runs), m_slowRuns(slowRuns) {
    std::vector<int> numbers(static_cast<size_t>(rows));
    std::iota(numbers.begin(), numbers.end(), 0);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(20240229));
    for (int n : numbers) {
        m_names.push_back(L"X-Header-" + std::to_wstring(n));
        m_values.push_back(L"value number " + std::to_wstring(n));
    }
}

ListBench::~ListBench() = default;

void ListBench::Run(BenchTable& table) {
    MeasureAdding(table);
    MeasurePainting(table);
    MeasureSorting(table);
}

std::string ListBench::Rows(const char* what, int rows) const {
    return std::string(what) + " " + std::to_string(rows) + " rows";
}

int ListBench::Frames() const { return m_runs * 10; }

std::unique_ptr<CListUserData> ListBench::MakeGrid(bool themed) const {
    auto grid = std::make_unique<CListUserData>();
    const RECT rect{0, 0, WIDTH, HEIGHT};
    grid->Create(m_parent, rect, nullptr, WS_CHILD | WS_VISIBLE, 0, 239);
    grid->Options.UseThemes = themed;
    return grid;
}

std::unique_ptr<SystemListView> ListBench::MakeListView(bool themed) const {
    return std::make_unique<SystemListView>(m_parent, RECT{0, 0, WIDTH, HEIGHT}, themed);
}

void ListBench::Fill(CListUserData& grid, int rows, bool redrawOff) const {
    if (redrawOff) ::SendMessageW(grid.m_hWnd, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < rows; ++i) grid.AddItem({L"", m_names[i], m_values[i]});
    if (redrawOff) ::SendMessageW(grid.m_hWnd, WM_SETREDRAW, TRUE, 0);
}

void ListBench::Fill(SystemListView& listView, int rows, bool redrawOff) const {
    if (redrawOff) ::SendMessageW(listView.Window(), WM_SETREDRAW, FALSE, 0);
    listView.AddRows(m_names, m_values, rows);
    if (redrawOff) ::SendMessageW(listView.Window(), WM_SETREDRAW, TRUE, 0);
}

void ListBench::MeasureAdding(BenchTable& table) {
    const double floor = BenchTable::MedianOf(m_runs, [&] {
        const double start = BenchTable::Now();
        std::vector<UserDataItem> items;
        for (int i = 0; i < m_rows; ++i) items.push_back({L"", m_names[i], m_values[i]});
        return BenchTable::Now() - start;
    });
    auto grid = [&](bool redrawOff) {
        return BenchTable::MedianOf(m_runs, [&] {
            m_grid.reset();
            auto made = MakeGrid(true);
            const double start = BenchTable::Now();
            Fill(*made, m_rows, redrawOff);
            const double time = BenchTable::Now() - start;
            m_grid = std::move(made);
            return time;
        });
    };
    auto listView = [&](bool redrawOff) {
        return BenchTable::MedianOf(redrawOff ? m_runs : m_slowRuns, [&] {
            m_listView.reset();
            auto made = MakeListView(true);
            const double start = BenchTable::Now();
            Fill(*made, m_rows, redrawOff);
            const double time = BenchTable::Now() - start;
            m_listView = std::move(made);
            return time;
        });
    };
    const double gridOff = grid(true), gridOn = grid(false);
    const double listOff = listView(true), listOn = listView(false);
    const std::string add = Rows("add", m_rows);
    table.Add(add + ", redraw off", gridOff, "std::vector of the rows (floor)", floor, 5, m_runs);
    table.Add(add + ", redraw on", gridOn, "60 us a row (before)",
              TODAY_US_PER_ROW * m_rows / 1000, 1, m_runs, 1);
    table.Add(add + ", redraw off", gridOff, "ListView, redraw off", listOff, 0, m_runs);
    table.Add(add + ", redraw on", gridOn, "ListView, redraw on", listOn, 0, m_runs, m_slowRuns);
}

// The median of single frames painted into one off-screen bitmap.
double ListBench::TimeFrames(HWND window, const std::function<void(HDC)>& paint) const {
    RECT client;
    ::GetClientRect(window, &client);
    HDC screen = ::GetDC(nullptr);
    CMemoryDCHandle memory(::CreateCompatibleDC(screen));
    CBitmapHandle bitmap(::CreateCompatibleBitmap(screen, client.right, client.bottom));
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory.Get(), bitmap.Get());
    paint(memory.Get());  // warm-up
    const double time = BenchTable::MedianOf(Frames(), [&] {
        const double start = BenchTable::Now();
        paint(memory.Get());
        ::GdiFlush();
        return BenchTable::Now() - start;
    });
    ::SelectObject(memory.Get(), old);
    return time;
}

void ListBench::MeasurePainting(BenchTable& table) {
    auto small = MakeGrid(true);
    Fill(*small, 100, false);
    auto smallListView = MakeListView(true);
    Fill(*smallListView, 100, false);
    struct Pair {
        CListUserData* Grid;
        SystemListView* ListView;
        int Rows;
    };
    for (bool themed : {true, false}) {
        for (const Pair& pair : {Pair{small.get(), smallListView.get(), 100},
                                 Pair{m_grid.get(), m_listView.get(), m_rows}}) {
            pair.Grid->Options.UseThemes = themed;
            if (!themed) {
                ::SetWindowTheme(pair.ListView->Window(), L"", L"");
                ::SetWindowTheme(pair.ListView->Header(), L"", L"");
            }
            HWND grid = pair.Grid->m_hWnd;
            const double ours = TimeFrames(grid, [grid](HDC hdc) {
                ::SendMessageW(grid, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
            });
            const SystemListView& listView = *pair.ListView;
            const double theirs =
                TimeFrames(listView.Window(), [&listView](HDC hdc) { listView.PaintFrame(hdc); });
            const std::string look = themed ? "themed" : "classic";
            table.Add("paint frame, " + std::to_string(pair.Rows) + " rows, " + look, ours,
                      "ListView with header, " + look, theirs, themed ? 1 : 0, Frames());
        }
    }
}

void ListBench::MeasureSorting(BenchTable& table) {
    const double floor = BenchTable::MedianOf(m_runs, [&] {
        std::vector<std::wstring> names = m_names;
        const double start = BenchTable::Now();
        std::sort(names.begin(), names.end());
        std::reverse(names.begin(), names.end());
        return BenchTable::Now() - start;
    });
    const std::vector<UserDataItem> added = m_grid->Items();
    const double ours = BenchTable::MedianOf(m_runs, [&] {
        m_grid->Items() = added;
        const double start = BenchTable::Now();
        m_grid->SortRows(0);
        m_grid->ReverseItemOrder();
        return BenchTable::Now() - start;
    });
    auto listView = [&](int runs, const std::function<void(bool)>& sort) {
        return BenchTable::MedianOf(runs, [&] {
            m_listView->RestoreOrder();
            const double start = BenchTable::Now();
            sort(true);
            sort(false);
            return BenchTable::Now() - start;
        });
    };
    const double byItemTexts = listView(m_runs, [&](bool ascending) {
        m_listView->SortByItemTexts(m_names, ascending);
    });
    const bool itemTextsRight = m_listView->IsDescending();
    const double byHeaderTexts = listView(m_slowRuns, [&](bool ascending) {
        m_listView->SortByHeaderTexts(ascending);
    });
    const bool headerTextsRight = m_listView->IsDescending();
    const bool oursRight = std::is_sorted(
        m_grid->Items().rbegin(), m_grid->Items().rend(),
        [](const UserDataItem& a, const UserDataItem& b) { return a.Name < b.Name; });
    auto checked = [](const std::string& what, bool right) {
        return right ? what : what + " (WRONG ORDER)";
    };
    std::string what = Rows("sort + reverse", m_rows);
    what = checked(what, oursRight);
    table.Add(what, ours, checked("ListView, LVM_SORTITEMSEX", headerTextsRight), byHeaderTexts,
              0.5, m_runs, m_slowRuns);
    table.Add(what, ours, checked("ListView, LVM_SORTITEMS", itemTextsRight), byItemTexts, 0,
              m_runs);
    table.Add(what, ours, "std::sort of the strings (floor)", floor, 2, m_runs);
}
