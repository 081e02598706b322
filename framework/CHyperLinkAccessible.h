#pragma once
#include "framework/CAccessibleProxy.h"

class CHyperLinkImpl;

// What a screen reader learns about a hyperlink: a link named by its link
// text, valued by its address, focusable, whose default action "Jump"
// opens the address as a click does.
class CHyperLinkAccessible : public CAccessibleProxy {
public:
    // One reference, the link's; null when the system has no standard
    // proxy for the link's window.
    static CHyperLinkAccessible* Create(CHyperLinkImpl& link);

    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;
    STDMETHODIMP get_accValue(VARIANT varChild, BSTR* pszValue) override;
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;

private:
    // The link outlives the connection: it disconnects this object when its
    // window is destroyed or the link itself goes.
    explicit CHyperLinkAccessible(CHyperLinkImpl& link) : m_link(link) {}

    CHyperLinkImpl& m_link;
};
