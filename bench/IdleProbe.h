#pragma once
#include <windows.h>

// Times a modal property sheet from its start to the moment its thread
// first runs out of work with the sheet shown (nothing posted, nothing sent,
// nothing left to paint), then cancels the sheet. The same probe serves
// every sheet, so each is timed to the same point.
//
//   probe.Start();               // just before the call that runs the sheet
//   ::PropertySheetW(...);       // returns once the probe has cancelled it
//   probe.Elapsed();
class IdleProbe {
public:
    // owner: the window the sheet is run over.
    explicit IdleProbe(HWND owner);
    ~IdleProbe();
    IdleProbe(const IdleProbe&) = delete;
    IdleProbe& operator=(const IdleProbe&) = delete;

    // Takes the time and posts the first look at the queue; the sheet's
    // own message loop delivers it.
    void Start();
    // Milliseconds from Start to idle; negative when idle was never seen.
    double Elapsed() const { return m_elapsed; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Look();
    HWND FindSheet() const;

    HWND m_owner;
    HWND m_hWnd = nullptr;
    double m_start = 0;
    double m_elapsed = -1;
    int m_looks = 0;
};
