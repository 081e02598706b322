#include "framework/CAccessibleName.h"

#include "framework/CNamedAccessible.h"

bool CAccessibleName::Attach(HWND hWnd) {
    if (!SubclassWindow(hWnd)) return false;
    m_accessible.Open();
    return true;
}

// Other objects, and the client area once no object can be had, are the
// control's own business.
LRESULT CAccessibleName::OnGetObject(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    const LRESULT result =
        m_accessible.Answer(wParam, lParam, [&] { return CNamedAccessible::Create(m_hWnd, m_name, m_description); });
    bHandled = result != 0;
    return result;
}

LRESULT CAccessibleName::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    m_accessible.Close();
    bHandled = FALSE;
    return 0;
}
