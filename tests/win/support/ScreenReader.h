#pragma once
#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>

// A screen reader on a thread of its own, as a real one sits outside the
// user interface's thread: it reaches windows through
// AccessibleObjectFromWindow, with COM set up as a reader has it
// (multithreaded), while the calling thread goes on handling its messages
// so that the objects living there can answer.
class ScreenReader {
public:
    // Runs the questions on the reader's thread; returns once they are
    // answered (a test failure when that takes more than ten seconds).
    static void Ask(const std::function<void()>& questions);

    // The name a reader speaks for a window's client area; "<none>" when
    // there is no object or no name. Call inside Ask.
    static std::wstring NameOf(HWND hWnd);
};
