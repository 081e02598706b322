#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "sheet/CFieldNames.h"
#include "sheet/COptionsPage.h"
#include "sheet/SheetResources.h"

class CTab2;
class PreferenceSet;

// The "Viewers" page: which viewer the extension opens, its address when it
// is a custom one, and how the built-in viewer opens. Edits viewertype,
// viewerendpoint, openingbehavior and openingmode, and tells the RDF Data
// Access page which viewer is chosen.
class CTab1 : public COptionsPage<CTab1> {
public:
    enum { IDD = IDD_VIEWERS };

    // The set the page edits, the page that is told the viewer type and the
    // mandatory policies. Any may be null: the page then edits nothing,
    // tells no one or locks nothing.
    void Link(PreferenceSet* pPrefs, CTab2* pTab2, const PolicyLevel* pMandatory = nullptr);

    BEGIN_MSG_MAP(CTab1)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        COMMAND_HANDLER(IDC_VIEWER_TYPE, CBN_SELCHANGE, OnViewerChanged)
        CHAIN_MSG_MAP(COptionsPage<CTab1>)
    END_MSG_MAP()

    void SetControlsFromValues();
    void GetValuesFromControls();
    void UpdateViewerEnabling();
    void StoreToPreferences();

private:
    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnViewerChanged(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);

    void LoadFromPreferences();
    void PrepareControls();
    void LockControls();
    void ReadViewerType();

    std::wstring m_viewerType;
    std::wstring m_viewerEndpoint;
    std::wstring m_openingBehavior;
    std::wstring m_openingMode;

    CTab2* m_pTab2 = nullptr;

    HWND m_hViewerType = nullptr;
    HWND m_hViewerUrl = nullptr;
    HWND m_hBehaviors[3] = {};  // add, replace, new
    HWND m_hModes[2] = {};      // win, tab
    CFieldNames m_fieldNames;
};
