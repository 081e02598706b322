#pragma once
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Answers, on a thread of its own, every dialog with the given caption
// that a process (this one or another) shows, by pressing one of its
// buttons, and notes what each looked like: lets a test call code that
// blocks in a message box, or wait for the box another process shows.
class DialogAnswerer {
public:
    // One dialog as it was when answered.
    struct Seen {
        std::vector<std::wstring> texts;  // its non-empty static texts: the message
        bool hasOwner = false;
        int buttons = 0;
        bool hasButton = false;  // the button to press was there
        bool closed = false;     // the dialog went after the press
    };

    // With a text, only the dialogs that show it (a box with the caption
    // of a window that stays open meanwhile).
    DialogAnswerer(DWORD processId, LPCWSTR caption, int buttonId, LPCWSTR text = nullptr);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Waits for a dialog that is shown in its own time; true when the
    // first one came within the time and went when answered.
    bool WaitForAnswer(DWORD milliseconds = 20000);
    // Stops answering; every dialog seen so far, in order.
    std::vector<Seen> Stop();

private:
    void Watch();
    // False when the dialog stayed, so as not to note it again and again.
    bool Answer(HWND hDialog);

    const DWORD m_processId;
    const std::wstring m_caption;
    const int m_buttonId;
    const std::wstring m_text;  // empty: any
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_answered;
    std::vector<Seen> m_seen;
    std::thread m_thread;  // last: starts once the rest is ready
};
