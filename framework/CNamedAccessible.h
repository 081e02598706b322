#pragma once
#include <string>

#include "framework/CAccessibleProxy.h"

// A control as the system presents it, under the name its owner gives
// (a field named by its visible label). Only the control's own name is
// replaced; its parts keep theirs.
class CNamedAccessible : public CAccessibleProxy {
public:
    // One reference; null when the system has no standard proxy for the
    // window. The name is read at each request, so it may change.
    static CNamedAccessible* Create(HWND hWnd, const std::wstring& name);

    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;

private:
    // The name belongs to the window's owner, which disconnects this
    // object before the name goes.
    explicit CNamedAccessible(const std::wstring& name) : m_name(name) {}

    const std::wstring& m_name;
};
