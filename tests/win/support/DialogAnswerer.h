#pragma once
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

// Waits on a thread of its own for a dialog of a process (this one or
// another) with the given caption, notes its static texts and presses one
// of its buttons: answers the message box a call on the test's own thread
// is blocked in.
class DialogAnswerer {
public:
    DialogAnswerer(DWORD processId, LPCWSTR caption, int buttonId, DWORD milliseconds = 20000);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Waits for the thread; true when the dialog came and was answered.
    bool Join();
    // The dialog's static texts (its message), once joined.
    const std::vector<std::wstring>& Texts() const { return m_texts; }

private:
    void Answer(DWORD processId, std::wstring caption, int buttonId, DWORD milliseconds);

    std::vector<std::wstring> m_texts;
    bool m_answered = false;
    std::thread m_thread;
};
