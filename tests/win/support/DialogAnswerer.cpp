#include "support/DialogAnswerer.h"

#include <chrono>

#include "support/ProcessWindows.h"

DialogAnswerer::DialogAnswerer(DWORD processId, LPCWSTR caption, int buttonId, LPCWSTR text)
    : m_processId(processId), m_caption(caption), m_buttonId(buttonId), m_text(text != nullptr ? text : L""),
      m_thread(&DialogAnswerer::Watch, this) {}

DialogAnswerer::~DialogAnswerer() { Stop(); }

bool DialogAnswerer::WaitForAnswer(DWORD milliseconds) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_answered.wait_for(lock, std::chrono::milliseconds(milliseconds),
                        [this] { return !m_seen.empty(); });
    return !m_seen.empty() && m_seen.front().closed;
}

std::vector<DialogAnswerer::Seen> DialogAnswerer::Stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen;
}

void DialogAnswerer::Watch() {
    while (!m_stop) {
        HWND hDialog = ProcessWindows::FindTopLevel(m_processId, m_caption.c_str(), L"#32770",
                                                    m_text.empty() ? nullptr : m_text.c_str());
        if (hDialog == nullptr)
            ::Sleep(20);
        else if (!Answer(hDialog))
            return;
    }
}

bool DialogAnswerer::Answer(HWND hDialog) {
    Seen seen;
    for (const std::wstring& text : ProcessWindows::ChildTexts(hDialog, L"Static"))
        if (!text.empty()) seen.texts.push_back(text);
    seen.buttons = static_cast<int>(ProcessWindows::ChildTexts(hDialog, L"Button").size());
    seen.hasOwner = ::GetWindow(hDialog, GW_OWNER) != nullptr;
    seen.hasButton = ::GetDlgItem(hDialog, m_buttonId) != nullptr;
    ProcessWindows::PressButton(hDialog, m_buttonId);
    seen.closed = ProcessWindows::WaitUntilGone(hDialog, 10000);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_seen.push_back(seen);
    }
    m_answered.notify_all();
    return seen.closed;
}
