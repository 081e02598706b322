#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Finds and reads the windows of a process, this one or another, as a user
// would see them; used to check and answer the sheet and message boxes.
class ProcessWindows {
public:
    // A visible top-level window of the process with this caption (and
    // class, if given), waited for up to the time given; null if none came.
    static HWND WaitForTopLevel(DWORD processId, LPCWSTR caption, LPCWSTR className,
                                DWORD milliseconds);
    // The visible top-level window of the process with this caption and
    // class (either may be null: any), showing this static text if one is
    // given, or null.
    static HWND FindTopLevel(DWORD processId, LPCWSTR caption, LPCWSTR className, LPCWSTR text = nullptr);

    static std::wstring Text(HWND hWnd);
    // The texts of the child windows of a class ("Static", "Button", ...).
    static std::vector<std::wstring> ChildTexts(HWND hWnd, LPCWSTR className);
    // The texts of a tab control's tabs, read across processes.
    static std::vector<std::wstring> TabTexts(HWND hTab);
    // The window's visible, enabled child with this id, or null.
    static HWND VisibleChild(HWND hWnd, int id);

    // Presses a dialog button by posting its command, as a click does.
    static void PressButton(HWND hDialog, int id);
    static bool WaitUntilGone(HWND hWnd, DWORD milliseconds);
};
