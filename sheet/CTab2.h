#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "listctrl/CListUserData.h"
#include "sheet/CFieldNames.h"
#include "sheet/COptionsPage.h"
#include "sheet/EndpointSection.h"
#include "sheet/SheetResources.h"

class PreferenceSet;

// The "RDF Data Access" page: the RDFizer service and the SPARQL endpoint
// (type, host, port, composed or typed address) and the additional HTTP
// headers. The SPARQL section is usable only with the built-in viewer,
// which the Viewers page tells this page about.
class CTab2 : public COptionsPage<CTab2> {
public:
    enum { IDD = IDD_RDFDATAACCESS };

    // Registers the window class of the headers list, which the page's
    // template names, once per process.
    CTab2();

    // The viewer type chosen on the Viewers page; takes effect at the page's
    // next activation.
    void SetViewerType(const std::wstring& viewerType);

    BEGIN_MSG_MAP(CTab2)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        COMMAND_HANDLER(IDC_RDFIZER_TYPE, CBN_SELCHANGE, OnTypeChosen)
        COMMAND_HANDLER(IDC_SPARQL_TYPE, CBN_SELCHANGE, OnTypeChosen)
        COMMAND_HANDLER(IDC_RDFIZER_DEFAULT, BN_CLICKED, OnSetDefault)
        COMMAND_HANDLER(IDC_SPARQL_DEFAULT, BN_CLICKED, OnSetDefault)
        COMMAND_HANDLER(IDC_HEADER_ADD, BN_CLICKED, OnAddHeader)
        COMMAND_HANDLER(IDC_HEADER_REMOVE, BN_CLICKED, OnRemoveHeader)
        NOTIFY_HANDLER(IDC_HEADERS_LIST, GLN_SELECTED, OnHeaderSelected)
        NOTIFY_CODE_HANDLER(PSN_SETACTIVE, OnSetActive)
        CHAIN_MSG_MAP(COptionsPage<CTab2>)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    void SetControlsFromValues();
    void GetValuesFromControls();
    void RefreshEndpoints();
    void StoreToPreferences();

    // The additional HTTP headers, one row each.
    CListUserData& HeadersList() { return m_headers; }

private:
    // One service section: its rules, the values the page holds for it and
    // its controls.
    struct Section {
        explicit Section(const EndpointSection& rules) : Rules(rules) {}
        const EndpointSection& Rules;
        EndpointValues Held;
        HWND TypeCombo = nullptr;
        HWND Host = nullptr;
        HWND Port = nullptr;
        HWND Url = nullptr;
        HWND SetDefault = nullptr;
    };

    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnTypeChosen(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnSetDefault(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnAddHeader(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnRemoveHeader(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnHeaderSelected(int idCtrl, LPNMHDR pnmh, BOOL& bHandled);
    LRESULT OnSetActive(int idCtrl, LPNMHDR pnmh, BOOL& bHandled);

    void LoadSection(const PreferenceSet& prefs, Section& section);
    void StoreSection(PreferenceSet& prefs, const Section& section);
    void PrepareControls();
    void LockControls();
    void LockSection(const Section& section);
    // Puts the mandatory values of the section's locked keys back into its
    // held values, whatever a type choice or a default changed.
    void KeepMandatoryValues(Section& section) const;
    void ShowSection(Section& section);
    void RefreshSection(Section& section, bool usable);
    void ReadSection(Section& section);
    void ChooseType(Section& section);
    void SetDefault(Section& section);
    void TakeTypedText();
    // The section a type combo or Set Default button belongs to.
    Section& SectionOf(WORD controlId);

    void AttachHeadersList();
    void LoadHeaderRows();
    void AddHeaderRow();
    void RemoveSelectedHeaderRow();
    void ForgetSelectedHeaderRow();
    void StoreHeaderPairs();

    std::wstring m_viewerType;
    Section m_rdfizer;
    Section m_sparql;
    // The row the list last reported selected; -1 for none, and again at
    // every activation, so "-Remove" acts only on a row chosen on this visit
    // and still selected.
    int m_selectedHeader = -1;
    CListUserData m_headers;
    CFieldNames m_fieldNames;
};
