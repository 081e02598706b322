#pragma once
#include <windows.h>

class BenchTable;
class LoadedComponent;

// The options sheet as the browser opens it (Exec of the command object
// from BrackwynVTL.dll, through a site and browser like the stand-in
// host's, with an empty preferences folder) against a bare PropertySheetW
// of the same three page templates, each timed to idle by IdleProbe.
class SheetBench {
public:
    SheetBench(HWND owner, int runs);
    void Run(BenchTable& table);

private:
    double TimeExec(const LoadedComponent& component);
    double TimeBareSheet(HINSTANCE templates);

    HWND m_owner;
    int m_runs;
};
