#include "listctrl/accessibility/CListAccessible.h"

#include "listctrl/accessibility/CEnumChildIds.h"

CListAccessible* CListAccessible::Create(HWND hWnd, Grid& grid) {
    auto* pAccessible = new CListAccessible(grid);
    if (pAccessible->Connect(hWnd)) return pAccessible;
    pAccessible->Release();
    return nullptr;
}

HRESULT CListAccessible::FindRow(const VARIANT& varChild, int& row) const {
    row = -1;
    if (!IsConnected()) return RPC_E_DISCONNECTED;
    if (varChild.vt != VT_I4) return E_INVALIDARG;
    if (varChild.lVal == CHILDID_SELF) return S_OK;
    if (varChild.lVal < 1 || varChild.lVal > m_grid.RowCount()) return E_INVALIDARG;
    row = varChild.lVal - 1;
    return S_OK;
}

HRESULT CListAccessible::NoRowProperty(const VARIANT& varChild) const {
    int row = -1;
    const HRESULT hr = FindRow(varChild, row);
    return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
}

HRESULT CListAccessible::NoRowProperty(const VARIANT& varChild, BSTR* pResult) const {
    if (pResult == nullptr) return E_POINTER;
    *pResult = nullptr;
    return NoRowProperty(varChild);
}

HRESULT CListAccessible::ReturnChild(int row, VARIANT* pResult) {
    pResult->vt = VT_I4;
    pResult->lVal = row + 1;
    return S_OK;
}

HRESULT CListAccessible::ReturnNothing(VARIANT* pResult) {
    pResult->vt = VT_EMPTY;
    return S_FALSE;
}

// Rows scrolled out of the item area, or in a hidden grid, are off screen.
LONG CListAccessible::RowState(int row) const {
    LONG state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (m_grid.IsRowSelected(row)) state |= STATE_SYSTEM_SELECTED;
    if (m_grid.HasFocus() && m_grid.CurrentRow() == row) state |= STATE_SYSTEM_FOCUSED;
    const RECT rowRect = m_grid.RowRect(row), area = m_grid.ItemArea();
    RECT shown{};
    if (!::IsWindowVisible(Window()) || !::IntersectRect(&shown, &rowRect, &area))
        state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    return state;
}

STDMETHODIMP CListAccessible::get_accChildCount(LONG* pcountChildren) {
    if (!IsConnected()) return RPC_E_DISCONNECTED;
    if (pcountChildren == nullptr) return E_POINTER;
    *pcountChildren = m_grid.RowCount();
    return S_OK;
}

// Rows are simple elements, reached through the table by child id.
STDMETHODIMP CListAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild) {
    if (IsSelf(varChild)) return CAccessibleProxy::get_accChild(varChild, ppdispChild);
    if (ppdispChild == nullptr) return E_POINTER;
    *ppdispChild = nullptr;
    int row = -1;
    const HRESULT hr = FindRow(varChild, row);
    return FAILED(hr) ? hr : S_FALSE;
}

STDMETHODIMP CListAccessible::get_accName(VARIANT varChild, BSTR* pszName) {
    if (IsSelf(varChild)) return CAccessibleProxy::get_accName(varChild, pszName);
    if (pszName == nullptr) return E_POINTER;
    *pszName = nullptr;
    int row = -1;
    if (const HRESULT hr = FindRow(varChild, row); FAILED(hr)) return hr;
    return ReturnString(m_grid.RowName(row).c_str(), pszName);
}

STDMETHODIMP CListAccessible::get_accValue(VARIANT varChild, BSTR* pszValue) {
    if (IsSelf(varChild)) return CAccessibleProxy::get_accValue(varChild, pszValue);
    return NoRowProperty(varChild, pszValue);
}

STDMETHODIMP CListAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription) {
    if (IsSelf(varChild)) {
        // Once disconnected the grid may be gone: only the checks answer.
        if (CheckSelfCall(varChild, pszDescription) != S_OK || m_grid.Description().empty())
            return CAccessibleProxy::get_accDescription(varChild, pszDescription);
        return ReturnString(m_grid.Description().c_str(), pszDescription);
    }
    return NoRowProperty(varChild, pszDescription);
}

STDMETHODIMP CListAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole) {
    if (pvarRole == nullptr) return E_POINTER;
    ::VariantInit(pvarRole);
    int row = -1;
    if (const HRESULT hr = FindRow(varChild, row); FAILED(hr)) return hr;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = row == -1 ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_ROW;
    return S_OK;
}

STDMETHODIMP CListAccessible::get_accState(VARIANT varChild, VARIANT* pvarState) {
    if (IsSelf(varChild)) return CAccessibleProxy::get_accState(varChild, pvarState);
    if (pvarState == nullptr) return E_POINTER;
    ::VariantInit(pvarState);
    int row = -1;
    if (const HRESULT hr = FindRow(varChild, row); FAILED(hr)) return hr;
    pvarState->vt = VT_I4;
    pvarState->lVal = RowState(row);
    return S_OK;
}

STDMETHODIMP CListAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp) {
    if (IsSelf(varChild)) return CAccessibleProxy::get_accHelp(varChild, pszHelp);
    return NoRowProperty(varChild, pszHelp);
}

STDMETHODIMP CListAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild,
                                               LONG* pidTopic) {
    if (IsSelf(varChild))
        return CAccessibleProxy::get_accHelpTopic(pszHelpFile, varChild, pidTopic);
    if (pszHelpFile == nullptr || pidTopic == nullptr) return E_POINTER;
    *pszHelpFile = nullptr;
    *pidTopic = 0;
    return NoRowProperty(varChild);
}

STDMETHODIMP CListAccessible::get_accKeyboardShortcut(VARIANT varChild,
                                                      BSTR* pszKeyboardShortcut) {
    if (IsSelf(varChild))
        return CAccessibleProxy::get_accKeyboardShortcut(varChild, pszKeyboardShortcut);
    return NoRowProperty(varChild, pszKeyboardShortcut);
}

// The current row while the grid has the focus (the grid itself without
// one); elsewhere, what the standard proxy finds (an open editor).
STDMETHODIMP CListAccessible::get_accFocus(VARIANT* pvarChild) {
    if (!IsConnected()) return RPC_E_DISCONNECTED;
    if (pvarChild == nullptr) return E_POINTER;
    ::VariantInit(pvarChild);
    if (!m_grid.HasFocus()) return CAccessibleProxy::get_accFocus(pvarChild);
    return ReturnChild(m_grid.CurrentRow(), pvarChild);  // row -1: CHILDID_SELF
}

STDMETHODIMP CListAccessible::get_accSelection(VARIANT* pvarChildren) {
    if (!IsConnected()) return RPC_E_DISCONNECTED;
    if (pvarChildren == nullptr) return E_POINTER;
    ::VariantInit(pvarChildren);
    const std::vector<int> rows = m_grid.SelectedRows();
    if (rows.empty()) return ReturnNothing(pvarChildren);
    if (rows.size() == 1) return ReturnChild(rows.front(), pvarChildren);
    std::vector<LONG> ids;
    ids.reserve(rows.size());
    for (int row : rows) ids.push_back(row + 1);
    IEnumVARIANT* pEnum = CEnumChildIds::Make(ids);
    if (pEnum == nullptr) return E_OUTOFMEMORY;
    pvarChildren->vt = VT_UNKNOWN;
    pvarChildren->punkVal = pEnum;
    return S_OK;
}

STDMETHODIMP CListAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
    if (IsSelf(varChild))
        return CAccessibleProxy::get_accDefaultAction(varChild, pszDefaultAction);
    if (pszDefaultAction == nullptr) return E_POINTER;
    *pszDefaultAction = nullptr;
    int row = -1;
    if (const HRESULT hr = FindRow(varChild, row); FAILED(hr)) return hr;
    return ReturnString(m_grid.EditsCells() ? L"Edit" : L"Select", pszDefaultAction);
}

STDMETHODIMP CListAccessible::accSelect(LONG flagsSelect, VARIANT varChild) {
    if (IsSelf(varChild)) return CAccessibleProxy::accSelect(flagsSelect, varChild);
    int row = -1;
    if (const HRESULT hr = FindRow(varChild, row); FAILED(hr)) return hr;
    if (!::IsWindowEnabled(Window())) return E_FAIL;
    return m_grid.SelectRow(row, flagsSelect) ? S_OK : E_INVALIDARG;
}

STDMETHODIMP CListAccessible::accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth,
                                          LONG* pcyHeight, VARIANT varChild) {
    if (IsSelf(varChild))
        return CAccessibleProxy::accLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    int row = -1;
    if (const HRESULT hr = FindRow(varChild, row); FAILED(hr)) return hr;
    RECT rect = m_grid.RowRect(row);
    ::MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *pxLeft = rect.left;
    *pyTop = rect.top;
    *pcxWidth = rect.right - rect.left;
    *pcyHeight = rect.bottom - rect.top;
    return S_OK;
}

// From row to row in display order; the first and last child from the
// table. Among the table's siblings the standard proxy navigates.
STDMETHODIMP CListAccessible::accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEndUpAt) {
    const bool toChild = navDir == NAVDIR_FIRSTCHILD || navDir == NAVDIR_LASTCHILD;
    if (IsSelf(varStart) && !toChild)
        return CAccessibleProxy::accNavigate(navDir, varStart, pvarEndUpAt);
    if (pvarEndUpAt == nullptr) return E_POINTER;
    ::VariantInit(pvarEndUpAt);
    int row = -1;
    if (const HRESULT hr = FindRow(varStart, row); FAILED(hr)) return hr;
    if (toChild != (row == -1)) return E_INVALIDARG;
    int target = -1;
    switch (navDir) {
    case NAVDIR_FIRSTCHILD: target = 0; break;
    case NAVDIR_LASTCHILD: target = m_grid.RowCount() - 1; break;
    case NAVDIR_NEXT:
    case NAVDIR_DOWN: target = row + 1; break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP: target = row - 1; break;
    case NAVDIR_LEFT:
    case NAVDIR_RIGHT: break;
    default: return E_INVALIDARG;
    }
    if (target < 0 || target >= m_grid.RowCount()) return ReturnNothing(pvarEndUpAt);
    return ReturnChild(target, pvarEndUpAt);
}

STDMETHODIMP CListAccessible::accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarChild) {
    if (!IsConnected()) return RPC_E_DISCONNECTED;
    if (pvarChild == nullptr) return E_POINTER;
    ::VariantInit(pvarChild);
    POINT point{xLeft, yTop};
    RECT client{};
    ::ScreenToClient(Window(), &point);
    ::GetClientRect(Window(), &client);
    if (!::PtInRect(&client, point)) return ReturnNothing(pvarChild);
    return ReturnChild(m_grid.RowAt(point), pvarChild);  // no row: CHILDID_SELF
}

STDMETHODIMP CListAccessible::accDoDefaultAction(VARIANT varChild) {
    if (IsSelf(varChild)) return CAccessibleProxy::accDoDefaultAction(varChild);
    int row = -1;
    if (const HRESULT hr = FindRow(varChild, row); FAILED(hr)) return hr;
    // As a click would: nothing while the grid is disabled.
    if (!::IsWindowEnabled(Window())) return E_FAIL;
    m_grid.OpenRow(row);
    return S_OK;
}

STDMETHODIMP CListAccessible::put_accName(VARIANT varChild, BSTR szName) {
    if (IsSelf(varChild)) return CAccessibleProxy::put_accName(varChild, szName);
    return NoRowProperty(varChild);
}

STDMETHODIMP CListAccessible::put_accValue(VARIANT varChild, BSTR szValue) {
    if (IsSelf(varChild)) return CAccessibleProxy::put_accValue(varChild, szValue);
    return NoRowProperty(varChild);
}
