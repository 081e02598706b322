#pragma once
#include <windows.h>
#include <prsht.h>

#include <vector>

#include "framework/CWindowImplBase.h"

// A property sheet run by a window object: the sheet window is subclassed
// by the object as soon as the control reports it initialised, so the
// object's message map sees the sheet's messages; the rest go to the
// control's own procedure.
class CPropertySheetBase : public CWindowImplBase {
public:
    CPropertySheetBase(LPCWSTR title, UINT startPage, HWND hWndParent);
    ~CPropertySheetBase() override;

    // Appends a page; to a running sheet it is sent with PSM_ADDPAGE. A page
    // that cannot be created or added is destroyed and left out.
    bool AddPage(PROPSHEETPAGEW& page);

    // Runs the sheet modally; returns the PropertySheet result.
    INT_PTR DoModal(HWND hWndParent = nullptr);

    HWND GetParentWindow() const { return m_psh.hwndParent; }

protected:
    PROPSHEETHEADERW m_psh;

private:
    static int CALLBACK PropSheetCallback(HWND hWnd, UINT uMsg, LPARAM lParam);

    std::vector<HPROPSHEETPAGE> m_pages;
};

template <class T>
class CPropertySheetImpl : public CPropertySheetBase {
public:
    using CPropertySheetBase::CPropertySheetBase;
};
