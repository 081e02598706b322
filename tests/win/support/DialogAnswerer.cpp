#include "support/DialogAnswerer.h"

#include "support/ProcessWindows.h"

DialogAnswerer::DialogAnswerer(DWORD processId, LPCWSTR caption, int buttonId,
                               DWORD milliseconds)
    : m_thread(&DialogAnswerer::Answer, this, processId, std::wstring(caption), buttonId,
               milliseconds) {}

DialogAnswerer::~DialogAnswerer() { Join(); }

bool DialogAnswerer::Join() {
    if (m_thread.joinable()) m_thread.join();
    return m_answered;
}

void DialogAnswerer::Answer(DWORD processId, std::wstring caption, int buttonId,
                            DWORD milliseconds) {
    HWND hDialog = ProcessWindows::WaitForTopLevel(processId, caption.c_str(), L"#32770", milliseconds);
    if (hDialog == nullptr) return;
    for (const std::wstring& text : ProcessWindows::ChildTexts(hDialog, L"Static"))
        if (!text.empty()) m_texts.push_back(text);
    ProcessWindows::PressButton(hDialog, buttonId);
    m_answered = ProcessWindows::WaitUntilGone(hDialog, 10000);
}
