#include "support/ProcessWindows.h"

#include <commctrl.h>

#include <algorithm>

namespace {

struct TopLevelSearch {
    DWORD processId;
    LPCWSTR caption;
    LPCWSTR className;
    LPCWSTR text;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hWnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<TopLevelSearch*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    if (processId != pSearch->processId || !::IsWindowVisible(hWnd)) return TRUE;
    // The class first: reading the caption sends a message to the window.
    if (pSearch->className != nullptr) {
        wchar_t name[256] = {};
        ::GetClassNameW(hWnd, name, ARRAYSIZE(name));
        if (_wcsicmp(name, pSearch->className) != 0) return TRUE;
    }
    if (pSearch->caption != nullptr && ProcessWindows::Text(hWnd) != pSearch->caption) return TRUE;
    if (pSearch->text != nullptr) {
        const std::vector<std::wstring> texts = ProcessWindows::ChildTexts(hWnd, L"Static");
        if (std::find(texts.begin(), texts.end(), pSearch->text) == texts.end()) return TRUE;
    }
    pSearch->found = hWnd;
    return FALSE;
}

struct ChildSearch {
    HWND parent;
    LPCWSTR className;
    std::vector<std::wstring>* pTexts;
};

BOOL CALLBACK CollectChild(HWND hWnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<ChildSearch*>(lParam);
    wchar_t name[256] = {};
    ::GetClassNameW(hWnd, name, ARRAYSIZE(name));
    if (::GetParent(hWnd) == pSearch->parent && _wcsicmp(name, pSearch->className) == 0)
        pSearch->pTexts->push_back(ProcessWindows::Text(hWnd));
    return TRUE;
}

}  // namespace

HWND ProcessWindows::WaitForTopLevel(DWORD processId, LPCWSTR caption, LPCWSTR className,
                                     DWORD milliseconds) {
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    for (;;) {
        HWND hFound = FindTopLevel(processId, caption, className);
        if (hFound != nullptr) return hFound;
        if (::GetTickCount64() >= deadline) return nullptr;
        ::Sleep(50);
    }
}

HWND ProcessWindows::FindTopLevel(DWORD processId, LPCWSTR caption, LPCWSTR className, LPCWSTR text) {
    TopLevelSearch search{processId, caption, className, text, nullptr};
    ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ProcessWindows::Text(HWND hWnd) {
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    // WM_GETTEXT crosses processes; a hung window must not hang the test.
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, ARRAYSIZE(text), reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 5000, &length);
    return text;
}

std::vector<std::wstring> ProcessWindows::ChildTexts(HWND hWnd, LPCWSTR className) {
    std::vector<std::wstring> texts;
    ChildSearch search{hWnd, className, &texts};
    ::EnumChildWindows(hWnd, CollectChild, reinterpret_cast<LPARAM>(&search));
    return texts;
}

std::vector<std::wstring> ProcessWindows::TabTexts(HWND hTab) {
    std::vector<std::wstring> texts;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hTab, &processId);
    HANDLE hProcess = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                    FALSE, processId);
    if (hProcess == nullptr) return texts;
    // The item record and its text buffer live in the tab control's process.
    const SIZE_T textChars = 256;
    const SIZE_T size = sizeof(TCITEMW) + textChars * sizeof(wchar_t);
    auto* pRemote = static_cast<BYTE*>(
        ::VirtualAllocEx(hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (pRemote != nullptr) {
        const int count = static_cast<int>(::SendMessageW(hTab, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = reinterpret_cast<LPWSTR>(pRemote + sizeof(TCITEMW));
            item.cchTextMax = static_cast<int>(textChars);
            wchar_t text[256] = {};
            ::WriteProcessMemory(hProcess, pRemote, &item, sizeof(item), nullptr);
            ::WriteProcessMemory(hProcess, pRemote + sizeof(TCITEMW), text, sizeof(text), nullptr);
            ::SendMessageW(hTab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(pRemote));
            ::ReadProcessMemory(hProcess, pRemote + sizeof(TCITEMW), text, sizeof(text) - 2, nullptr);
            texts.push_back(text);
        }
        ::VirtualFreeEx(hProcess, pRemote, 0, MEM_RELEASE);
    }
    ::CloseHandle(hProcess);
    return texts;
}

HWND ProcessWindows::VisibleChild(HWND hWnd, int id) {
    HWND hChild = ::GetDlgItem(hWnd, id);
    return hChild != nullptr && ::IsWindowVisible(hChild) ? hChild : nullptr;
}

void ProcessWindows::PressButton(HWND hDialog, int id) {
    ::PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, id)));
}

bool ProcessWindows::WaitUntilGone(HWND hWnd, DWORD milliseconds) {
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    while (::IsWindow(hWnd)) {
        if (::GetTickCount64() >= deadline) return false;
        ::Sleep(50);
    }
    return true;
}
