#include "bench/SheetBench.h"

#include <commctrl.h>
#include <docobj.h>
#include <ocidl.h>
#include <prsht.h>

#include <cstdio>
#include <vector>

#include "bench/BenchTable.h"
#include "bench/IdleProbe.h"
#include "host/CHostBrowser.h"
#include "host/CHostSite.h"
#include "support/LoadedComponent.h"
#include "support/PrefsSandbox.h"

namespace {

constexpr int FIRST_TEMPLATE = 104;  // Viewers, RDF Data Access, About
constexpr int PAGES = 3;

INT_PTR CALLBACK BarePage(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// Lets the windows of the last sheet finish going away (under Wine that
// goes on after DestroyWindow), so their cost is not the next run's.
void Settle(double milliseconds) {
    const double end = BenchTable::Now() + milliseconds;
    for (double left = milliseconds; left > 0; left = end - BenchTable::Now()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
}

}  // namespace

SheetBench::SheetBench(HWND owner, int runs) : m_owner(owner), m_runs(runs) {}

void SheetBench::Run(BenchTable& table) {
    const bool comStarted = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    {
        const PrefsSandbox sandbox;  // no preferences file: the defaults
        const LoadedComponent component;
        HMODULE dll = ::GetModuleHandleW(L"BrackwynVTL.dll");
        if (!component.IsLoaded() || dll == nullptr) {
            std::fprintf(stderr, "BrackwynVTL.dll cannot be loaded\n");
        } else {
            // Warm-up, which also registers the headers list's window class
            // that the bare sheet's second template names.
            TimeExec(component);
            TimeBareSheet(dll);
            std::vector<double> ours, bare;
            for (int run = 0; run < m_runs; ++run) {
                Settle(500);
                bare.push_back(TimeBareSheet(dll));
                Settle(500);
                ours.push_back(TimeExec(component));
            }
            table.Add("options sheet from Exec to idle", BenchTable::Median(ours),
                      "bare PropertySheetW, same templates", BenchTable::Median(bare), 1.2,
                      m_runs);
        }
    }
    if (comStarted) ::CoUninitialize();
}

double SheetBench::TimeExec(const LoadedComponent& component) {
    IOleCommandTarget* pCommand = nullptr;
    IObjectWithSite* pWithSite = nullptr;
    if (FAILED(component.CreateOptions(IID_IOleCommandTarget, &pCommand))) return -1;
    if (FAILED(pCommand->QueryInterface(IID_IObjectWithSite,
                                        reinterpret_cast<void**>(&pWithSite)))) {
        pCommand->Release();
        return -1;
    }
    CHostBrowser* pBrowser = new CHostBrowser(m_owner, false);
    CHostSite* pSite = new CHostSite(pBrowser);
    pBrowser->Release();  // the site holds it
    pWithSite->SetSite(pSite);
    IdleProbe probe(m_owner);
    probe.Start();
    pCommand->Exec(nullptr, 0, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
    pWithSite->SetSite(nullptr);
    pSite->Release();
    pWithSite->Release();
    pCommand->Release();
    return probe.Elapsed();
}

double SheetBench::TimeBareSheet(HINSTANCE templates) {
    PROPSHEETPAGEW pages[PAGES] = {};
    for (int i = 0; i < PAGES; ++i) {
        pages[i].dwSize = sizeof(pages[i]);
        pages[i].dwFlags = PSP_DEFAULT;
        pages[i].hInstance = templates;
        pages[i].pszTemplate = MAKEINTRESOURCEW(FIRST_TEMPLATE + i);
        pages[i].pfnDlgProc = &BarePage;
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
    header.hwndParent = m_owner;
    header.hInstance = templates;
    header.pszCaption = L"VTL Options";
    header.nPages = PAGES;
    header.ppsp = pages;
    IdleProbe probe(m_owner);
    probe.Start();
    ::PropertySheetW(&header);
    return probe.Elapsed();
}
