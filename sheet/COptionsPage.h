#pragma once
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

#include "framework/CPropertyPageBase.h"
#include "policy/PolicyLevel.h"
#include "sheet/CLockedControls.h"

class PreferenceSet;

// A page that edits the sheet's preference set. T reads its keys when its
// dialog is made and stores its controls into the set
// (T::StoreToPreferences) every time the page is left, which it never
// refuses. The keys an administrator made mandatory are locked: their
// controls stay disabled and show the policy's value.
template <class T>
class COptionsPage : public CPropertyPageImpl<T> {
public:
    // The set the page edits (null edits nothing) and the mandatory
    // policies (null: none).
    void Link(PreferenceSet* pPrefs, const PolicyLevel* pMandatory = nullptr) {
        m_pPrefs = pPrefs;
        m_pMandatory = pMandatory;
    }

    BEGIN_MSG_MAP(COptionsPage)
        NOTIFY_CODE_HANDLER(PSN_KILLACTIVE, OnKillActive)
        CHAIN_MSG_MAP(CPropertyPageImpl<T>)
    END_MSG_MAP()

protected:
    PreferenceSet* Preferences() const { return m_pPrefs; }

    // The value a mandatory policy gives the key; null when none does.
    const std::wstring* MandatoryValue(const wchar_t* key) const {
        return m_pMandatory != nullptr ? m_pMandatory->Find(key) : nullptr;
    }
    bool IsMandatory(const wchar_t* key) const { return MandatoryValue(key) != nullptr; }
    // The mandatory header list; null when none is set.
    const std::vector<UserDataItem>* MandatoryHeaders() const {
        return m_pMandatory != nullptr && m_pMandatory->HasHeaders ? &m_pMandatory->Headers : nullptr;
    }
    // Locks the controls when the key is mandatory.
    void LockIfMandatory(const wchar_t* key, std::initializer_list<HWND> controls) {
        if (!IsMandatory(key)) return;
        for (HWND hControl : controls) m_locks.Lock(hControl);
    }

    CLockedControls m_locks;

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
    const PolicyLevel* m_pMandatory = nullptr;
};
