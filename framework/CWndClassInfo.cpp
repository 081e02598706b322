#include "framework/CWndClassInfo.h"

#include "framework/CWinModule.h"

CWndClassInfo::CWndClassInfo(LPCWSTR className, UINT style, HBRUSH hbrBackground,
                             LPCWSTR cursor)
    : m_className(className), m_superClassName(nullptr), m_style(style),
      m_hbrBackground(hbrBackground), m_cursor(cursor) {}

CWndClassInfo::CWndClassInfo(LPCWSTR className, LPCWSTR superClassName)
    : m_className(className), m_superClassName(superClassName), m_style(0),
      m_hbrBackground(nullptr), m_cursor(nullptr) {}

ATOM CWndClassInfo::Register() {
    if (m_atom != 0) return m_atom;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC superProc = ::DefWindowProcW;
    if (m_superClassName != nullptr) {
        // A superclass keeps everything of the system class but its name
        // and procedure; the system procedure becomes the default handling.
        if (!::GetClassInfoExW(nullptr, m_superClassName, &wc)) return 0;
        superProc = wc.lpfnWndProc;
    } else {
        wc.style = m_style;
        wc.hbrBackground = m_hbrBackground;
        wc.hCursor = ::LoadCursorW(nullptr, m_cursor);
    }
    wc.lpszClassName = m_className;
    m_atom = CWinModule::RegisterObjectClass(wc, superProc);
    return m_atom;
}
