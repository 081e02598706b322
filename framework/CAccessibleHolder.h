#pragma once
#include <windows.h>
#include <oleacc.h>

#include "framework/CAccessibleProxy.h"
#include "framework/CUniqueHandle.h"

// A window's end of its accessible object: the object is made on the first
// WM_GETOBJECT for the client area and handed out on each one; it is
// disconnected when the window is destroyed, and from then on the window
// answers nothing, so no object is made that nothing would disconnect.
//
//   case WM_GETOBJECT:
//       return m_accessible.Answer(wParam, lParam, [&] { return CMyAccessible::Create(*this); });
//   case WM_DESTROY:
//       m_accessible.Close();
class CAccessibleHolder {
public:
    // The answer to WM_GETOBJECT: for the client area the object, made by
    // make() (which returns it with one reference, or null) the first time;
    // 0, so that the system answers, for other objects, once the window is
    // closing, or when no object can be made.
    template <class Make>
    LRESULT Answer(WPARAM wParam, LPARAM lParam, const Make& make) {
        if (static_cast<LONG>(lParam) != OBJID_CLIENT || m_closed) return 0;
        if (!m_object) m_object.Reset(make());
        return m_object ? m_object.Get()->Answer(wParam) : 0;
    }

    // The window is being destroyed: the object is disconnected and no new
    // one is made.
    void Close() {
        m_closed = true;
        m_object.Reset();
    }
    // A new window: objects are made again.
    void Open() { m_closed = false; }

private:
    CUniqueHandle<CAccessibleProxy*, CAccessibleProxy::Closer> m_object;
    bool m_closed = false;
};
