#include "sheet/SheetWindowMark.h"

namespace {
const wchar_t kProperty[] = L"BrackwynVTL.OptionsSheet";
}

void SheetWindowMark::Set(HWND hSheet) {
    ::SetPropW(hSheet, kProperty, reinterpret_cast<HANDLE>(1));
}

void SheetWindowMark::Clear(HWND hSheet) {
    ::RemovePropW(hSheet, kProperty);
}

HWND SheetWindowMark::Find() {
    HWND hFound = nullptr;
    ::EnumWindows(MatchMarked, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

BOOL CALLBACK SheetWindowMark::MatchMarked(HWND hWnd, LPARAM lParam) {
    if (::GetPropW(hWnd, kProperty) == nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}
