#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/CPropertyPageBase.h"

class PreferenceSet;

// A page that edits the sheet's preference set. T reads its keys when its
// dialog is made and stores its controls into the set
// (T::StoreToPreferences) every time the page is left, which it never
// refuses.
template <class T>
class COptionsPage : public CPropertyPageImpl<T> {
public:
    // The set the page edits; null edits nothing.
    void Link(PreferenceSet* pPrefs) { m_pPrefs = pPrefs; }

    BEGIN_MSG_MAP(COptionsPage)
        NOTIFY_CODE_HANDLER(PSN_KILLACTIVE, OnKillActive)
        CHAIN_MSG_MAP(CPropertyPageImpl<T>)
    END_MSG_MAP()

protected:
    PreferenceSet* Preferences() const { return m_pPrefs; }

private:
    LRESULT OnKillActive(int, LPNMHDR pnmh, BOOL& bHandled) {
        if (!this->IsSheetNotification(pnmh)) {
            bHandled = FALSE;
            return 0;
        }
        static_cast<T*>(this)->StoreToPreferences();
        return FALSE;
    }

    PreferenceSet* m_pPrefs = nullptr;
};
