#include "sheet/CTab1.h"

#include "prefs/PreferenceSet.h"
#include "sheet/CPageControls.h"
#include "sheet/CTab2.h"
#include "sheet/PageValues.h"
#include "sheet/ViewerRules.h"

namespace {

const wchar_t kViewerTypeKey[] = L"viewertype";
const wchar_t kViewerEndpointKey[] = L"viewerendpoint";
const wchar_t kOpeningBehaviorKey[] = L"openingbehavior";
const wchar_t kOpeningModeKey[] = L"openingmode";

}  // namespace

void CTab1::Link(PreferenceSet* pPrefs, CTab2* pTab2, const PolicyLevel* pMandatory) {
    COptionsPage::Link(pPrefs, pMandatory);
    m_pTab2 = pTab2;
}

LRESULT CTab1::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    LoadFromPreferences();
    PrepareControls();
    SetControlsFromValues();
    return TRUE;
}

void CTab1::LoadFromPreferences() {
    const PreferenceSet* pPrefs = Preferences();
    if (pPrefs == nullptr) return;
    PageValues::CopyIfFound(*pPrefs, kViewerTypeKey, m_viewerType);
    PageValues::CopyIfFound(*pPrefs, kViewerEndpointKey, m_viewerEndpoint);
    PageValues::CopyIfFound(*pPrefs, kOpeningBehaviorKey, m_openingBehavior);
    PageValues::CopyIfFound(*pPrefs, kOpeningModeKey, m_openingMode);
}

void CTab1::PrepareControls() {
    m_hViewerType = ::GetDlgItem(m_hWnd, IDC_VIEWER_TYPE);
    m_hViewerUrl = ::GetDlgItem(m_hWnd, IDC_VIEWER_URL);
    m_hBehaviors[0] = ::GetDlgItem(m_hWnd, IDC_BEHAVIOR_ADD);
    m_hBehaviors[1] = ::GetDlgItem(m_hWnd, IDC_BEHAVIOR_REPLACE);
    m_hBehaviors[2] = ::GetDlgItem(m_hWnd, IDC_BEHAVIOR_NEW);
    CPageControls::FillCombo(m_hViewerType, ViewerRules::ViewerTypes());
    m_hModes[0] = ::GetDlgItem(m_hWnd, IDC_MODE_WIN);
    m_hModes[1] = ::GetDlgItem(m_hWnd, IDC_MODE_TAB);
    m_fieldNames.Attach(m_hWnd, {IDC_VIEWER_TYPE, IDC_VIEWER_URL});
    LockControls();
}

void CTab1::LockControls() {
    m_locks.Attach(m_hWnd, m_fieldNames);
    LockIfMandatory(kViewerTypeKey, {m_hViewerType});
    LockIfMandatory(kViewerEndpointKey, {m_hViewerUrl});
    LockIfMandatory(kOpeningBehaviorKey, {m_hBehaviors[0], m_hBehaviors[1], m_hBehaviors[2]});
    LockIfMandatory(kOpeningModeKey, {m_hModes[0], m_hModes[1]});
}

void CTab1::SetControlsFromValues() {
    CPageControls::SelectPosition(m_hViewerType,
                                  ViewerRules::ViewerTypes().PositionOf(m_viewerType));
    CPageControls::CheckRadio(m_hBehaviors, ARRAYSIZE(m_hBehaviors),
                              ViewerRules::OpeningBehaviors().PositionOf(m_openingBehavior));
    CPageControls::WriteText(m_hViewerUrl, m_viewerEndpoint);
    CPageControls::CheckRadio(m_hModes, ARRAYSIZE(m_hModes),
                              ViewerRules::OpeningModes().PositionOf(m_openingMode));
    UpdateViewerEnabling();
}

void CTab1::UpdateViewerEnabling() {
    const ViewerEnabling enabling = ViewerRules::EnablingFor(m_viewerType);
    if (m_pTab2 != nullptr) m_pTab2->SetViewerType(m_viewerType);
    for (HWND hRadio : m_hBehaviors) CPageControls::Enable(hRadio, enabling.BehaviorRadios);
    CPageControls::Enable(m_hViewerUrl, enabling.UrlField);
    m_locks.Reapply();
}

// The address field keeps its text: choosing "Custom (URL)" enables it
// with whatever it shows.
LRESULT CTab1::OnViewerChanged(WORD, WORD, HWND, BOOL&) {
    ReadViewerType();
    UpdateViewerEnabling();
    return 0;
}

// No selection keeps the held type.
void CTab1::ReadViewerType() {
    PageValues::TakeChoice(ViewerRules::ViewerTypes(),
                           CPageControls::SelectedPosition(m_hViewerType), m_viewerType);
}

void CTab1::GetValuesFromControls() {
    ReadViewerType();
    PageValues::TakeChoice(ViewerRules::OpeningBehaviors(),
                           CPageControls::CheckedRadio(m_hBehaviors, ARRAYSIZE(m_hBehaviors)),
                           m_openingBehavior);
    m_viewerEndpoint = CPageControls::ReadText(m_hViewerUrl);
    PageValues::TakeChoice(ViewerRules::OpeningModes(),
                           CPageControls::CheckedRadio(m_hModes, ARRAYSIZE(m_hModes)), m_openingMode);
}

void CTab1::StoreToPreferences() {
    GetValuesFromControls();
    PreferenceSet* pPrefs = Preferences();
    if (pPrefs == nullptr) return;
    pPrefs->SetAt(kViewerTypeKey, m_viewerType);
    pPrefs->SetAt(kViewerEndpointKey, m_viewerEndpoint);
    pPrefs->SetAt(kOpeningBehaviorKey, m_openingBehavior);
    pPrefs->SetAt(kOpeningModeKey, m_openingMode);
}
