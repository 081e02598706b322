#pragma once
#include <windows.h>

#include <map>
#include <string>

// What this process holds at one moment: its windows (top-level, child and
// message-only, by class), GDI and USER objects, kernel handles and the
// bytes in use in its heaps. Where
// the system does not count an object kind (Wine answers 0 for GDI, USER
// and handle counts), the census counts it another way or reports -1.
class ProcessCensus {
public:
    static ProcessCensus Take();

    int Windows() const { return m_windows; }
    long GdiObjects() const { return m_gdiObjects; }
    long UserObjects() const { return m_userObjects; }
    long Handles() const { return m_handles; }
    // Bytes in use in the process's heaps.
    long long HeapBytes() const { return m_heapBytes; }

    // "windows=.. gdi=.. user=.. handles=.." for a checkpoint line.
    std::string Figures() const;
    // What this census holds more or less than an earlier one, one
    // difference a line ("windows: 12 -> 14 (+2 tooltips_class32)"); empty
    // when they agree. Kinds that were not counted are not compared; the
    // heap may have grown by a few kilobytes.
    std::string ChangesSince(const ProcessCensus& earlier) const;

private:
    void CountWindows();
    void AddWindow(HWND hWnd);
    static BOOL CALLBACK OnTopLevel(HWND hWnd, LPARAM lParam);
    static BOOL CALLBACK OnChild(HWND hWnd, LPARAM lParam);
    static long CountGdiObjects();
    static long CountUserObjects(int windows);
    static long CountHandles();
    static long long CountHeapBytes();

    int m_windows = 0;
    std::map<std::wstring, int> m_windowClasses;
    long m_gdiObjects = -1;
    long m_userObjects = -1;
    long m_handles = -1;
    long long m_heapBytes = -1;
};
