#pragma once
#include <windows.h>

#include "framework/CHyperLink.h"
#include "framework/CPropertyPageBase.h"
#include "sheet/SheetResources.h"

// The "About" page: product icon, name, version, description and the link
// to the product's home page. It reads and writes no preferences.
class CTab3 : public CPropertyPageImpl<CTab3> {
public:
    enum { IDD = IDD_ABOUT };

    BEGIN_MSG_MAP(CTab3)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        CHAIN_MSG_MAP(CPropertyPageImpl<CTab3>)
    END_MSG_MAP()

private:
    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    CHyperLink m_link;
};
