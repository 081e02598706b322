#include "support/ScreenReader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/AccessibleQueries.h"

void ScreenReader::Ask(const std::function<void()>& questions) {
    std::atomic<bool> done{false};
    std::thread reader([&] {
        const bool initialised = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        questions();
        if (initialised) ::CoUninitialize();
        done = true;
    });
    const DWORD start = ::GetTickCount();
    bool late = false;
    while (!done) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!late && ::GetTickCount() - start > 10000) {
            late = true;
            ADD_FAILURE() << "the screen reader's questions take too long";
        }
    }
    reader.join();
}

std::wstring ScreenReader::NameOf(HWND hWnd) {
    IAccessible* pAcc = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&pAcc))) ||
        pAcc == nullptr)
        return L"<none>";
    BSTR name = nullptr;
    const HRESULT hr = pAcc->get_accName(accessible::Child(CHILDID_SELF), &name);
    pAcc->Release();
    return hr == S_OK ? accessible::TakeString(name) : L"<none>";
}
