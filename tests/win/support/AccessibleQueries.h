#pragma once
// What a screen reader asks of an accessible object, as the tests that
// play one ask it: child ids, strings, roles and states as plain values.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace accessible {

// The object of a window's client area, as a screen reader gets it; null
// when there is none.
inline IAccessible* ClientObjectOf(HWND hWnd) {
    IAccessible* pAcc = nullptr;
    EXPECT_EQ(::AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&pAcc)),
              S_OK);
    return pAcc;
}

// The child id as the VARIANT the calls take; CHILDID_SELF names the
// object itself.
inline VARIANT Child(LONG id) {
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// The text of a string a call returned, which is freed; "<null>" for none.
inline std::wstring TakeString(BSTR text) {
    std::wstring result = text != nullptr ? text : L"<null>";
    ::SysFreeString(text);
    return result;
}

// A VT_I4 value; otherwise -100, which no child id or role is.
inline LONG IntOf(const VARIANT& value) { return value.vt == VT_I4 ? value.lVal : -100; }

using VariantProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, VARIANT*);

// A property of a child that the object must answer with a number.
inline LONG NumberOf(IAccessible* pAcc, VariantProperty property, LONG child) {
    VARIANT value;
    ::VariantInit(&value);
    EXPECT_EQ((pAcc->*property)(Child(child), &value), S_OK);
    EXPECT_EQ(value.vt, VT_I4);
    return IntOf(value);
}

inline LONG RoleOf(IAccessible* pAcc, LONG child) {
    return NumberOf(pAcc, &IAccessible::get_accRole, child);
}

inline LONG StateOf(IAccessible* pAcc, LONG child) {
    return NumberOf(pAcc, &IAccessible::get_accState, child);
}

inline std::wstring NameOf(IAccessible* pAcc, LONG child) {
    BSTR name = nullptr;
    EXPECT_EQ(pAcc->get_accName(Child(child), &name), S_OK);
    return TakeString(name);
}

}  // namespace accessible
