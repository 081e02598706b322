#include "sheet/CTab2.h"

#include "prefs/PreferenceSet.h"
#include "sheet/CPageControls.h"
#include "sheet/HeaderPairs.h"
#include "sheet/PageValues.h"
#include "sheet/ViewerRules.h"

// The dialog template creates the headers list by its class name, so the
// class must exist before the page's dialog does. The window does nothing
// of its own until the page attaches the list object to it.
CTab2::CTab2() : m_rdfizer(EndpointSection::Rdfizer()), m_sparql(EndpointSection::Sparql()) {
    CListUserData::RegisterWindowClass();
}

void CTab2::SetViewerType(const std::wstring& viewerType) { m_viewerType = viewerType; }

LRESULT CTab2::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    m_selectedHeader = -1;
    if (const PreferenceSet* pPrefs = Preferences()) {
        LoadSection(*pPrefs, m_rdfizer);
        LoadSection(*pPrefs, m_sparql);
    }
    AttachHeadersList();
    PrepareControls();
    LoadHeaderRows();
    SetControlsFromValues();
    return TRUE;
}

void CTab2::LoadSection(const PreferenceSet& prefs, Section& section) {
    const SectionKeys& keys = section.Rules.Keys();
    PageValues::CopyIfFound(prefs, keys.Type, section.Held.Type);
    PageValues::CopyIfFound(prefs, keys.Host, section.Held.Host);
    PageValues::CopyIfFound(prefs, keys.Port, section.Held.Port);
    PageValues::CopyIfFound(prefs, keys.CustomEndpoint, section.Held.Url);
}

void CTab2::PrepareControls() {
    m_rdfizer.TypeCombo = ::GetDlgItem(m_hWnd, IDC_RDFIZER_TYPE);
    m_rdfizer.Url = ::GetDlgItem(m_hWnd, IDC_RDFIZER_URL);
    m_rdfizer.Host = ::GetDlgItem(m_hWnd, IDC_RDFIZER_HOST);
    m_rdfizer.Port = ::GetDlgItem(m_hWnd, IDC_RDFIZER_PORT);
    m_rdfizer.SetDefault = ::GetDlgItem(m_hWnd, IDC_RDFIZER_DEFAULT);
    m_sparql.TypeCombo = ::GetDlgItem(m_hWnd, IDC_SPARQL_TYPE);
    m_sparql.Url = ::GetDlgItem(m_hWnd, IDC_SPARQL_URL);
    m_sparql.Host = ::GetDlgItem(m_hWnd, IDC_SPARQL_HOST);
    m_sparql.Port = ::GetDlgItem(m_hWnd, IDC_SPARQL_PORT);
    m_sparql.SetDefault = ::GetDlgItem(m_hWnd, IDC_SPARQL_DEFAULT);
    CPageControls::FillCombo(m_rdfizer.TypeCombo, m_rdfizer.Rules.Types());
    CPageControls::FillCombo(m_sparql.TypeCombo, m_sparql.Rules.Types());
    m_fieldNames.Attach(m_hWnd, {IDC_RDFIZER_TYPE, IDC_RDFIZER_HOST, IDC_RDFIZER_PORT,
                                 IDC_RDFIZER_URL, IDC_SPARQL_TYPE, IDC_SPARQL_HOST,
                                 IDC_SPARQL_PORT, IDC_SPARQL_URL});
    LockControls();
}

void CTab2::LockControls() {
    m_locks.Attach(m_hWnd, m_fieldNames);
    LockSection(m_rdfizer);
    LockSection(m_sparql);
    // A mandatory header list is the policy's: it can be read and
    // scrolled, not changed.
    if (MandatoryHeaders() != nullptr) {
        m_headers.SetReadOnly(true);
        m_headers.Options.Description = CLockedControls::Reason;
        m_locks.Explain(m_headers.m_hWnd);
        m_locks.Lock(::GetDlgItem(m_hWnd, IDC_HEADER_ADD));
        m_locks.Lock(::GetDlgItem(m_hWnd, IDC_HEADER_REMOVE));
    }
}

// Set Default would change every value of its section, so a section with
// any locked key has it locked too.
void CTab2::LockSection(const Section& section) {
    const SectionKeys& keys = section.Rules.Keys();
    LockIfMandatory(keys.Type, {section.TypeCombo});
    LockIfMandatory(keys.Host, {section.Host});
    LockIfMandatory(keys.Port, {section.Port});
    LockIfMandatory(keys.CustomEndpoint, {section.Url});
    for (const wchar_t* key : {keys.Type, keys.Host, keys.Port, keys.CustomEndpoint})
        if (IsMandatory(key)) m_locks.Lock(section.SetDefault);
}

void CTab2::KeepMandatoryValues(Section& section) const {
    const SectionKeys& keys = section.Rules.Keys();
    const std::pair<const wchar_t*, std::wstring*> values[] = {{keys.Type, &section.Held.Type},
                                                               {keys.Host, &section.Held.Host},
                                                               {keys.Port, &section.Held.Port},
                                                               {keys.CustomEndpoint, &section.Held.Url}};
    for (const auto& value : values)
        if (const std::wstring* pMandatory = MandatoryValue(value.first)) *value.second = *pMandatory;
}

void CTab2::SetControlsFromValues() {
    ShowSection(m_rdfizer);
    ShowSection(m_sparql);
    RefreshEndpoints();
}

// Selects the held type (an unknown one leaves the selection as it is) and
// shows the held address, host and port.
void CTab2::ShowSection(Section& section) {
    KeepMandatoryValues(section);
    CPageControls::SelectPosition(section.TypeCombo,
                                  section.Rules.Types().PositionOf(section.Held.Type));
    CPageControls::WriteText(section.Url, section.Held.Url);
    CPageControls::WriteText(section.Host, section.Held.Host);
    CPageControls::WriteText(section.Port, section.Held.Port);
}

void CTab2::RefreshEndpoints() {
    RefreshSection(m_sparql, ViewerRules::EnablingFor(m_viewerType).SparqlSection);
    RefreshSection(m_rdfizer, true);
    m_locks.Reapply();
}

// Enables the section's controls for its held type, then takes host and
// port as typed and recomposes the held address from the chosen type. No
// control text is written.
void CTab2::RefreshSection(Section& section, bool usable) {
    const SectionEnabling enabling = section.Rules.EnablingFor(section.Held.Type, usable);
    CPageControls::Enable(section.TypeCombo, enabling.TypeCombo);
    CPageControls::Enable(section.Host, enabling.Host);
    CPageControls::Enable(section.Port, enabling.Port);
    CPageControls::Enable(section.Url, enabling.Url);
    CPageControls::Enable(section.SetDefault, enabling.SetDefault);
    section.Held.Host = CPageControls::ReadText(section.Host);
    section.Held.Port = CPageControls::ReadText(section.Port);
    section.Held.Url = section.Rules.ComposeUrl(CPageControls::SelectedPosition(section.TypeCombo),
                                                section.Held.Host, section.Held.Port,
                                                section.Held.Url);
    KeepMandatoryValues(section);
}

void CTab2::GetValuesFromControls() {
    ReadSection(m_rdfizer);
    ReadSection(m_sparql);
}

// Every field is read, disabled or not; no selection keeps the held type.
void CTab2::ReadSection(Section& section) {
    PageValues::TakeChoice(section.Rules.Types(),
                           CPageControls::SelectedPosition(section.TypeCombo), section.Held.Type);
    section.Held.Host = CPageControls::ReadText(section.Host);
    section.Held.Port = CPageControls::ReadText(section.Port);
    section.Held.Url = CPageControls::ReadText(section.Url);
}

// A type choice or a Set Default redisplays every field from the held
// values. What the user typed must survive that, so the host and port
// fields, and any address field open for typing, are taken in first.
void CTab2::TakeTypedText() {
    for (Section* pSection : {&m_rdfizer, &m_sparql}) {
        pSection->Held.Host = CPageControls::ReadText(pSection->Host);
        pSection->Held.Port = CPageControls::ReadText(pSection->Port);
        if (::IsWindowEnabled(pSection->Url))
            pSection->Held.Url = CPageControls::ReadText(pSection->Url);
    }
}

void CTab2::ChooseType(Section& section) {
    const Choice* pChoice =
        section.Rules.Types().At(CPageControls::SelectedPosition(section.TypeCombo));
    if (pChoice == nullptr) return;
    TakeTypedText();
    section.Held.Type = pChoice->Value;
    const wchar_t* pPort = pChoice->ProposedPort != nullptr ? pChoice->ProposedPort : L"";
    if (!IsMandatory(section.Rules.Keys().Port)) CPageControls::WriteText(section.Port, pPort);
    if (pChoice->FixedUrl != nullptr) section.Held.Url = pChoice->FixedUrl;
    RefreshEndpoints();
    SetControlsFromValues();
}

void CTab2::SetDefault(Section& section) {
    TakeTypedText();
    section.Held = section.Rules.Defaults();
    SetControlsFromValues();
}

CTab2::Section& CTab2::SectionOf(WORD controlId) {
    return controlId == IDC_SPARQL_TYPE || controlId == IDC_SPARQL_DEFAULT ? m_sparql : m_rdfizer;
}

LRESULT CTab2::OnTypeChosen(WORD, WORD wID, HWND, BOOL&) {
    ChooseType(SectionOf(wID));
    return 0;
}

LRESULT CTab2::OnSetDefault(WORD, WORD wID, HWND, BOOL&) {
    SetDefault(SectionOf(wID));
    return 0;
}

LRESULT CTab2::OnAddHeader(WORD, WORD, HWND, BOOL&) {
    AddHeaderRow();
    return 0;
}

LRESULT CTab2::OnRemoveHeader(WORD, WORD, HWND, BOOL&) {
    RemoveSelectedHeaderRow();
    return 0;
}

LRESULT CTab2::OnHeaderSelected(int, LPNMHDR pnmh, BOOL&) {
    m_selectedHeader = reinterpret_cast<const NMGRIDCELL*>(pnmh)->Item;
    return 0;
}

LRESULT CTab2::OnSetActive(int, LPNMHDR pnmh, BOOL& bHandled) {
    if (!IsSheetNotification(pnmh)) {
        bHandled = FALSE;
        return 0;
    }
    RefreshEndpoints();
    ForgetSelectedHeaderRow();
    return 0;  // activation accepted
}

void CTab2::StoreToPreferences() {
    GetValuesFromControls();
    PreferenceSet* pPrefs = Preferences();
    if (pPrefs == nullptr) return;
    StoreSection(*pPrefs, m_rdfizer);
    StoreSection(*pPrefs, m_sparql);
    StoreHeaderPairs();
}

// The generic endpoint always gets its default; it is not shown on the page.
void CTab2::StoreSection(PreferenceSet& prefs, const Section& section) {
    const SectionKeys& keys = section.Rules.Keys();
    prefs.SetAt(keys.Type, section.Held.Type);
    prefs.SetAt(keys.Host, section.Held.Host);
    prefs.SetAt(keys.Port, section.Held.Port);
    prefs.SetAt(keys.CustomEndpoint, section.Held.Url);
    prefs.SetAt(keys.GenericEndpoint, section.Rules.GenericEndpoint());
}

// The dialog created the list's window by its class name; the list object
// takes it over here. If it cannot, the window stays an empty one.
void CTab2::AttachHeadersList() {
    HWND hList = ::GetDlgItem(m_hWnd, IDC_HEADERS_LIST);
    // Screen readers speak the grid by its window text, which the template
    // leaves a placeholder: it takes the caption of the frame around it.
    if (hList != nullptr) ::SetWindowTextW(hList, CFieldNames::LabelOf(hList).c_str());
    m_headers.SubclassAndSetUp(hList);
}

// While the page lives the rows are the only copy of the header pairs: they
// are out of the set until the page stores them.
void CTab2::LoadHeaderRows() {
    PreferenceSet* pPrefs = Preferences();
    if (pPrefs == nullptr) return;
    std::vector<UserDataItem> rows = HeaderPairs::TakeRows(*pPrefs);
    // A mandatory list shows its own rows only, with no row to fill in.
    if (const std::vector<UserDataItem>* pMandatory = MandatoryHeaders()) rows = *pMandatory;
    for (UserDataItem& row : rows) m_headers.AddItem(std::move(row));
}

void CTab2::AddHeaderRow() { m_headers.AddItem(HeaderPairs::PlaceholderRow()); }

// Only a row the list still shows selected goes: since reporting it the
// list may have let it go (a header click sorts and deselects every row).
void CTab2::RemoveSelectedHeaderRow() {
    std::vector<UserDataItem>& rows = m_headers.Items();
    if (m_selectedHeader >= 0 && m_selectedHeader < static_cast<int>(rows.size()) &&
        m_headers.IsRowSelected(m_selectedHeader)) {
        rows.erase(rows.begin() + m_selectedHeader);
        m_headers.ItemRemoved(m_selectedHeader);
    }
    m_selectedHeader = -1;
}

// The list lets its selection go as well, so that no row looks chosen for
// "-Remove" and a click on the row that was selected reports it again.
void CTab2::ForgetSelectedHeaderRow() {
    m_selectedHeader = -1;
    if (m_headers.IsWindow()) m_headers.ClearSelection();
}

// A mandatory list is stored as the policy has it, whatever order a
// header click showed it in.
void CTab2::StoreHeaderPairs() {
    PreferenceSet* pPrefs = Preferences();
    if (pPrefs == nullptr) return;
    const std::vector<UserDataItem>* pMandatory = MandatoryHeaders();
    HeaderPairs::StoreRows(*pPrefs, pMandatory != nullptr ? *pMandatory : m_headers.Items());
}
