#pragma once
#include <string>

#include "framework/CAccessibleProxy.h"

// A control as the system presents it, under the name and with the
// description its owner gives (a field named by its visible label; why it
// is disabled). Only the control's own name and description are replaced,
// and only when given (not empty); its parts keep theirs.
class CNamedAccessible : public CAccessibleProxy {
public:
    // One reference; null when the system has no standard proxy for the
    // window. Name and description are read at each request, so they may
    // change.
    static CNamedAccessible* Create(HWND hWnd, const std::wstring& name, const std::wstring& description);

    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;
    STDMETHODIMP get_accDescription(VARIANT varChild, BSTR* pszDescription) override;

private:
    // The texts belong to the window's owner, which disconnects this
    // object before they go.
    CNamedAccessible(const std::wstring& name, const std::wstring& description)
        : m_name(name), m_description(description) {}

    // True when the call is about the control itself and a text is given
    // for it: the answer is then that text, or the check's failure in hr.
    bool AnswersItself(const std::wstring& text, const VARIANT& varChild, const BSTR* pResult, HRESULT& hr) const;

    const std::wstring& m_name;
    const std::wstring& m_description;
};
