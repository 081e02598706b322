#pragma once
#include <windows.h>

// The window class a window-object type creates its windows with: either a
// class of its own or a superclass of a system class. Registered on first use.
class CWndClassInfo {
public:
    CWndClassInfo(LPCWSTR className, UINT style, HBRUSH hbrBackground, LPCWSTR cursor);
    CWndClassInfo(LPCWSTR className, LPCWSTR superClassName);

    ATOM Register();
    LPCWSTR ClassName() const { return m_className; }

private:
    LPCWSTR m_className;
    LPCWSTR m_superClassName;
    UINT m_style;
    HBRUSH m_hbrBackground;
    LPCWSTR m_cursor;
    ATOM m_atom = 0;
};

#define DECLARE_WND_CLASS_EX(name, style, bkgnd)                                   \
    static CWndClassInfo& GetWndClassInfo() {                                      \
        static CWndClassInfo wc(name, style, reinterpret_cast<HBRUSH>(             \
                                                 static_cast<INT_PTR>((bkgnd) + 1)), \
                                IDC_ARROW);                                        \
        return wc;                                                                 \
    }

#define DECLARE_WND_SUPERCLASS(name, superName)      \
    static CWndClassInfo& GetWndClassInfo() {        \
        static CWndClassInfo wc(name, superName);    \
        return wc;                                   \
    }
