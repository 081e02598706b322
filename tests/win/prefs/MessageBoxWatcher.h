#pragma once
// Watches, from a second thread, for message boxes with a given caption
// that the thread under test shows, records what each one looked like and
// presses its OK button, so a test can call code that shows one.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SeenMessageBox {
    std::wstring text;
    bool hasOwner = false;
    int buttons = 0;
    bool hasOk = false;
};

class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(const wchar_t* caption) : m_caption(caption), m_thread([this] { Watch(); }) {}
    ~MessageBoxWatcher() { Stop(); }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Stops watching; every box seen so far has been dismissed.
    std::vector<SeenMessageBox> Stop() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_seen;
    }

private:
    void Watch() {
        while (!m_stop) {
            HWND box = FindWindowW(L"#32770", m_caption.c_str());
            if (box && IsWindowVisible(box))
                Dismiss(box);
            else
                Sleep(20);
        }
    }

    void Dismiss(HWND box) {
        SeenMessageBox seen;
        seen.hasOwner = GetWindow(box, GW_OWNER) != nullptr;
        seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t className[32] = {};
            GetClassNameW(child, className, 32);
            if (lstrcmpiW(className, L"Button") == 0)
                ++seen.buttons;
            if (lstrcmpiW(className, L"Static") == 0 && seen.text.empty())
                seen.text = TextOf(child);
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_seen.push_back(seen);
        }
        // The box may be gone by now; then the post simply fails.
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        for (int i = 0; i < 250 && IsWindow(box); ++i)
            Sleep(20);
    }

    static std::wstring TextOf(HWND window) {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
        return text;
    }

    std::wstring m_caption;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<SeenMessageBox> m_seen;
    std::thread m_thread;  // last: starts once the rest is ready
};
