// The benchmark of the component: prints one table of medians of repeated
// runs, each beside what it is held against, their ratio and the target.
// Usage: vtl_bench.exe [--only=list|sheet|prefs] [runs [rows [slowRuns]]]
// (release build, idle machine); slowRuns times the system ListView's
// slowest steps; --only runs one group of rows, for quick checks.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "bench/ListBench.h"
#include "bench/PrefsBench.h"
#include "bench/SheetBench.h"

int main(int argc, char** argv) {
    std::string only;
    std::vector<const char*> numbers;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--only=", 7) == 0)
            only = argv[i] + 7;
        else
            numbers.push_back(argv[i]);
    }
    const auto number = [&numbers](size_t position, int fallback, int least) {
        return position < numbers.size() ? std::max(least, std::atoi(numbers[position])) : fallback;
    };
    const int runs = number(0, 5, 1);
    const int rows = number(1, 100000, 100);
    const int slowRuns = number(2, 1, 1);
    const auto wanted = [&only](const char* group) { return only.empty() || only == group; };
    if (!only.empty() && !wanted("list") && !wanted("sheet") && !wanted("prefs")) {
        std::fprintf(stderr, "--only takes list, sheet or prefs\n");
        return 1;
    }
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    // Hidden, as the page's dialog is while its rows are loaded.
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 440, 360,
                                    nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (parent == nullptr) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    BenchTable table;
    if (wanted("list"))
        ListBench(parent, rows, runs, slowRuns).Run(table);
    // A sheet's start (mostly the painting of its controls through X) varies
    // most from run to run under Wine: five times the runs.
    if (wanted("sheet"))
        SheetBench(parent, 5 * runs).Run(table);
    if (wanted("prefs"))
        PrefsBench(runs).Run(table);
    ::DestroyWindow(parent);
    table.Print(stdout, "medians over the runs shown (ours/theirs when they differ)");
    return table.AllTargetsMet() ? 0 : 2;
}
