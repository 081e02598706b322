// The benchmark of the component: prints one table of medians of repeated
// runs, each beside what it is held against, their ratio and the target.
// Usage: vtl_bench.exe [runs [rows [slowRuns]]]   (release build, idle
// machine); slowRuns times the system ListView's slowest steps.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchTable.h"
#include "bench/ListBench.h"
#include "bench/PrefsBench.h"
#include "bench/SheetBench.h"

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int rows = argc > 2 ? std::max(100, std::atoi(argv[2])) : 100000;
    const int slowRuns = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
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
    ListBench(parent, rows, runs, slowRuns).Run(table);
    // A sheet's start (mostly the painting of its controls through X) varies
    // most from run to run under Wine: five times the runs.
    SheetBench(parent, 5 * runs).Run(table);
    PrefsBench(runs).Run(table);
    ::DestroyWindow(parent);
    table.Print(stdout, "medians in milliseconds over the runs shown (ours/theirs when they differ)");
    return table.AllTargetsMet() ? 0 : 2;
}
