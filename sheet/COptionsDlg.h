#pragma once
#include <windows.h>

#include "framework/CPropertySheetBase.h"
#include "policy/PolicyLevel.h"
#include "prefs/PreferenceSet.h"
#include "prefs/PrefsFile.h"
#include "sheet/CTab1.h"
#include "sheet/CTab2.h"
#include "sheet/CTab3.h"

// The modal "VTL Options" sheet with its three pages. It owns the
// preference set the pages edit: built with the defaults, the recommended
// policies, the local preferences file and the mandatory policies (whose
// controls the pages lock), saved to both files when the caller sees OK.
// Where the local file was there but could not be read, OK asks before it
// closes.
//
//   COptionsDlg dlg(L"VTL Options", 0, hWndBrowser);
//   if (dlg.DoModal() == 1) dlg.SavePreferences();
class COptionsDlg : public CPropertySheetImpl<COptionsDlg> {
public:
    COptionsDlg(LPCWSTR title, UINT startPage, HWND hWndParent);

    // Overlays the local preferences file onto the set (the constructor
    // does it once) and remembers what it found.
    void LoadPreferences();
    // Whether the local copy existed but could not be read in full at the
    // last load: the sheet then shows the defaults, not what it holds.
    bool LocalCopyUnread() const { return m_loaded == PrefsFile::LoadResult::Unreadable; }
    // Writes the set to both preferences files; false when it could not
    // (the failure has been shown to the user).
    bool SavePreferences();

    PreferenceSet& Preferences() { return m_preferences; }
    CTab2& RdfDataAccessPage() { return m_tab2; }

    BEGIN_MSG_MAP(COptionsDlg)
        MESSAGE_HANDLER(WM_SHOWWINDOW, OnShowWindow)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        COMMAND_HANDLER(IDOK, BN_CLICKED, OnOk)
    END_MSG_MAP()

private:
    LRESULT OnShowWindow(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    // OK goes on to close the sheet unless the user would rather go back.
    LRESULT OnOk(WORD code, WORD id, HWND hButton, BOOL& bHandled);
    // Whether the user chooses to replace a local copy that was not read.
    bool ConfirmReplacingUnreadCopy();
    void CenterOverParent();

    // Destroyed in reverse order: the set is cleared before the pages go.
    CTab1 m_tab1;
    CTab2 m_tab2;
    CTab3 m_tab3;
    Policies m_policies;
    PreferenceSet m_preferences;
    PrefsFile::LoadResult m_loaded = PrefsFile::LoadResult::NoLocalCopy;
    bool m_centred = false;
};
