#pragma once
#include "framework/CWindowImplBase.h"
#include "framework/CWndClassInfo.h"

// A window object of type T that creates its own windows of T's class
// (T declares it with DECLARE_WND_CLASS_EX or DECLARE_WND_SUPERCLASS).
// TBase is the window object it extends: CWindowImplBase or a class
// derived from it.
template <class T, class TBase = CWindowImplBase>
class CWindowImpl : public TBase {
public:
    HWND Create(HWND hWndParent, const RECT& rect, LPCWSTR name = nullptr, DWORD style = 0,
                DWORD exStyle = 0, UINT id = 0) {
        const ATOM atom = T::GetWndClassInfo().Register();
        HMENU hMenuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
        return this->CreateWindowOfClass(atom, hWndParent, rect, name, style, exStyle, hMenuOrId);
    }
};
