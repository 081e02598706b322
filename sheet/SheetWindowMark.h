#pragma once
#include <windows.h>

// The mark the options sheet's window carries while it shows, so that a
// command in any process of the session can find the open sheet: a window
// property, which other processes can read.
class SheetWindowMark {
public:
    static void Set(HWND hSheet);
    // Before the window goes, as every property must be removed.
    static void Clear(HWND hSheet);
    // A marked top-level window on this desktop, or null.
    static HWND Find();

private:
    static BOOL CALLBACK MatchMarked(HWND hWnd, LPARAM lParam);
};
