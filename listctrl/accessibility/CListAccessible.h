#pragma once
#include <string>
#include <vector>

#include "framework/CAccessibleProxy.h"

// What a screen reader learns about a grid: a table whose children are its
// rows (child n is row n - 1 in display order), each named by its column
// titles and cell texts, with its selection and focus state and its place
// on the screen; the default action of a row opens its editor as a click
// would. What concerns the window itself (its name, place, parent, state)
// comes from the standard proxy.
class CListAccessible : public CAccessibleProxy {
public:
    // What the object reads from and asks of its grid, by row index.
    class Grid {
    public:
        virtual int RowCount() const = 0;
        virtual std::wstring RowName(int row) const = 0;
        // In client coordinates, also for a row scrolled out of view.
        virtual RECT RowRect(int row) const = 0;
        // The part of the client area that shows rows.
        virtual RECT ItemArea() const = 0;
        virtual int RowAt(POINT client) const = 0;  // -1 for none
        virtual bool IsRowSelected(int row) const = 0;
        virtual std::vector<int> SelectedRows() const = 0;  // ascending
        virtual int CurrentRow() const = 0;                 // -1 for none
        virtual bool HasFocus() const = 0;
        virtual bool EditsCells() const = 0;
        // Told as the list's description; empty: the system's.
        virtual std::wstring Description() const = 0;
        // As a click on the row: select it and open its current cell's editor.
        virtual void OpenRow(int row) = 0;
        // accSelect's SELFLAG_* bits on the row; false when they cannot be done.
        virtual bool SelectRow(int row, long flags) = 0;

    protected:
        ~Grid() = default;
    };

    // One reference, the grid's; null when the system has no standard
    // proxy for the grid's window.
    static CListAccessible* Create(HWND hWnd, Grid& grid);

    STDMETHODIMP get_accChildCount(LONG* pcountChildren) override;
    STDMETHODIMP get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;
    STDMETHODIMP get_accValue(VARIANT varChild, BSTR* pszValue) override;
    STDMETHODIMP get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHODIMP get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
    STDMETHODIMP get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, LONG* pidTopic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* pvarChild) override;
    STDMETHODIMP get_accSelection(VARIANT* pvarChildren) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    STDMETHODIMP accSelect(LONG flagsSelect, VARIANT varChild) override;
    STDMETHODIMP accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight,
                             VARIANT varChild) override;
    STDMETHODIMP accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
    STDMETHODIMP accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarChild) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;
    STDMETHODIMP put_accName(VARIANT varChild, BSTR szName) override;
    STDMETHODIMP put_accValue(VARIANT varChild, BSTR szValue) override;

private:
    // The grid outlives the connection: it disconnects this object when
    // its window is destroyed or the grid itself goes.
    explicit CListAccessible(Grid& grid) : m_grid(grid) {}

    static bool IsSelf(const VARIANT& varChild) {
        return varChild.vt == VT_I4 && varChild.lVal == CHILDID_SELF;
    }
    // The row a child id names, -1 for the grid itself: RPC_E_DISCONNECTED
    // once disconnected, E_INVALIDARG for an id that names nothing.
    HRESULT FindRow(const VARIANT& varChild, int& row) const;
    // What rows answer for the properties they do not have; a string
    // property's result is null.
    HRESULT NoRowProperty(const VARIANT& varChild) const;
    HRESULT NoRowProperty(const VARIANT& varChild, BSTR* pResult) const;
    LONG RowState(int row) const;
    static HRESULT ReturnChild(int row, VARIANT* pResult);
    static HRESULT ReturnNothing(VARIANT* pResult);

    Grid& m_grid;
};
