#include "SoakSheetRun.h"

#include <commctrl.h>

#include "sheet/SheetResources.h"

namespace {

enum { Viewers = 0, RdfDataAccess = 1, About = 2 };

// The width of the headers list's first column, "Header".
const int kHeaderColumnWidth = 145;

const wchar_t* const kBehaviors[] = {L"add", L"replace", L"new"};
const int kBehaviorIds[] = {IDC_BEHAVIOR_ADD, IDC_BEHAVIOR_REPLACE, IDC_BEHAVIOR_NEW};

// The run being played and its timer; one at a time, on this thread.
struct PendingRun {
    enum State { Waiting, Playing, Played };
    int run;
    UINT_PTR timer;
    int ticks;
    State state;
    std::string problems;
};

// Timer ticks (20 ms) to wait for the sheet to show, and to close once the
// script has closed it.
const int kTicksToShow = 500;
const int kTicksToClose = 250;
PendingRun* g_pPending = nullptr;

}  // namespace

SoakSheetRun::Outcome SoakSheetRun::OutcomeOf(int run) {
    return Outcome{kBehaviors[run % 3],
                   (run / 2) % 2 == 1 ? L"tab" : L"win",
                   run % 4 == 1 ? L"corvessa-ssl" : L"corvessa",
                   std::to_wstring(8000 + run),
                   L"X-Soak-" + std::to_wstring(run % 7),
                   L"run " + std::to_wstring(run) + L", a value longer than its column"};
}

std::string SoakSheetRun::Play(IOleCommandTarget* pCommand, int run) {
    PendingRun pending{run, 0, 0, PendingRun::Waiting, std::string()};
    g_pPending = &pending;
    pending.timer = ::SetTimer(nullptr, 0, 20, OnTimer);
    const HRESULT hr = pCommand->Exec(nullptr, 0, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
    ::KillTimer(nullptr, pending.timer);
    g_pPending = nullptr;
    if (hr != S_OK) pending.problems += "Exec did not answer S_OK\n";
    if (pending.state != PendingRun::Played)
        pending.problems += "the sheet ended before the script ran\n";
    return pending.problems;
}

// Plays the script once the sheet shows; a sheet still open well after the
// script closed it is cancelled, so that the soak goes on.
void CALLBACK SoakSheetRun::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    PendingRun* pPending = g_pPending;
    if (pPending == nullptr || pPending->state == PendingRun::Playing) return;
    HWND hSheet = FindSheet();
    if (pPending->state == PendingRun::Played) {
        if (++pPending->ticks != kTicksToClose || hSheet == nullptr) return;
        pPending->problems +=
            "run " + std::to_string(pPending->run) + ": the sheet did not close\n";
        ::SendMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return;
    }
    if (hSheet == nullptr) {
        if (++pPending->ticks == kTicksToShow)
            pPending->problems += "no sheet showed within ten seconds\n";
        return;
    }
    pPending->state = PendingRun::Playing;
    SoakSheetRun script(hSheet, pPending->run);
    script.PlayScript();
    pPending->problems += script.m_problems;
    pPending->state = PendingRun::Played;
    pPending->ticks = 0;
}

HWND SoakSheetRun::FindSheet() {
    HWND hFound = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchSheet, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

BOOL CALLBACK SoakSheetRun::MatchSheet(HWND hWnd, LPARAM lParam) {
    wchar_t caption[64] = {};
    ::GetWindowTextW(hWnd, caption, ARRAYSIZE(caption));
    if (!::IsWindowVisible(hWnd) || wcscmp(caption, L"VTL Options") != 0) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

void SoakSheetRun::PlayScript() {
    VisitViewers();
    SelectPage(RdfDataAccess);
    VisitRdfDataAccess();
    SelectPage(About);
    VisitAbout();
    Close();
}

// Another viewer and back, so the RDF page's enabling follows; the
// behaviour and mode radios as the run says.
void SoakSheetRun::VisitViewers() {
    const int behavior = m_run % 3;
    Choose(Viewers, IDC_VIEWER_TYPE, 1 + m_run % 5);
    Choose(Viewers, IDC_VIEWER_TYPE, 0);
    Click(Viewers, kBehaviorIds[behavior]);
    Click(Viewers, OutcomeOf(m_run).OpeningMode == L"tab" ? IDC_MODE_TAB : IDC_MODE_WIN);
}

// The RDFizer's type and port as the run says; a SPARQL type, something
// typed into the field it opens, then "Set Default".
void SoakSheetRun::VisitRdfDataAccess() {
    Choose(RdfDataAccess, IDC_RDFIZER_TYPE, OutcomeOf(m_run).ProxyService == L"corvessa" ? 0 : 1);
    TypeInto(Control(RdfDataAccess, IDC_RDFIZER_PORT), OutcomeOf(m_run).ProxyPort);
    Choose(RdfDataAccess, IDC_SPARQL_TYPE, m_run % 3);
    HWND hHost = Control(RdfDataAccess, IDC_SPARQL_HOST);
    TypeInto(::IsWindowEnabled(hHost) ? hHost : Control(RdfDataAccess, IDC_SPARQL_URL),
             L"soak.example");
    Click(RdfDataAccess, IDC_SPARQL_DEFAULT);
    EditHeaderRows();
    Paint();
    ShakeHeadersList();
    Paint();
}

// With the row of the last OK run (or the empty row of a first visit) on
// top: "+Add", the new row's header and value typed into the cell editors
// that clicking and Tab open, the old row clicked and removed, and a few
// empty rows added for the scrolling.
void SoakSheetRun::EditHeaderRows() {
    const Outcome outcome = OutcomeOf(m_run);
    Click(RdfDataAccess, IDC_HEADER_ADD);
    if (!ClickCell(1, 0)) return;
    Type(outcome.HeaderName);
    Press(VK_TAB, L'\t');
    if (!IsEditing(1, 1)) return;
    Type(outcome.HeaderValue);
    Press(VK_RETURN, L'\r');
    if (!ClickCell(0, 1)) return;
    Press(VK_ESCAPE, 27);
    Click(RdfDataAccess, IDC_HEADER_REMOVE);
    for (int i = 0; i < 3; ++i) Click(RdfDataAccess, IDC_HEADER_ADD);
}

// A click on a cell of the list scrolled to its top; the cell's editor
// must open.
bool SoakSheetRun::ClickCell(int row, int column) {
    HWND hList = Control(RdfDataAccess, IDC_HEADERS_LIST);
    ::SendMessageW(hList, WM_VSCROLL, SB_TOP, 0);
    const int rowHeight = ListRowHeight();
    const LPARAM point = MAKELPARAM(column == 0 ? 20 : kHeaderColumnWidth + 20,
                                    rowHeight * (row + 1) + rowHeight / 2);
    ::SendMessageW(hList, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(hList, WM_LBUTTONUP, 0, point);
    Pump();
    return IsEditing(row, column);
}

// The focus is in an editor over the cell (the list's rows start below
// its header band, both a row high).
bool SoakSheetRun::IsEditing(int row, int column) {
    HWND hList = Control(RdfDataAccess, IDC_HEADERS_LIST);
    HWND hEditor = ::GetFocus();
    RECT rect{};
    if (hEditor != nullptr && ::GetParent(hEditor) == hList && ::GetWindowRect(hEditor, &rect)) {
        ::MapWindowPoints(nullptr, hList, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.top / ListRowHeight() == row + 1 &&
            (rect.left >= kHeaderColumnWidth) == (column == 1))
            return true;
    }
    Report("no editor opened over row " + std::to_string(row) + " cell " + std::to_string(column));
    return false;
}

// As the list measures it: "Height" in the system message font, plus 6.
int SoakSheetRun::ListRowHeight() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HDC hdc = ::GetDC(nullptr);
    HFONT hFont = ::CreateFontIndirectW(&metrics.lfMessageFont);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    SIZE extent{};
    ::GetTextExtentPoint32W(hdc, L"Height", 6, &extent);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(nullptr, hdc);
    return extent.cy + 6;
}

// A key as the keyboard delivers it to the window with the focus: down,
// the character, up.
void SoakSheetRun::Press(UINT key, wchar_t ch) {
    Stroke(key, ch);
    Pump();
}

void SoakSheetRun::Type(const std::wstring& text) {
    for (wchar_t ch : text) Stroke(LOBYTE(::VkKeyScanW(ch)), ch);
    Pump();
}

void SoakSheetRun::Stroke(UINT key, wchar_t ch) {
    ::SendMessageW(::GetFocus(), WM_KEYDOWN, key, 1);
    if (ch != 0) ::SendMessageW(::GetFocus(), WM_CHAR, ch, 1);
    ::SendMessageW(::GetFocus(), WM_KEYUP, key, 0xC0000001);
}

// The list as a user and the system work it after the edit: the mouse over
// the cut-off value (title tip) and away, the column headers clicked
// (sorted by header, by value, by value reversed: the edited row is first
// again); then, on odd runs, the first column widened and narrowed back
// and the arrow keys and a letter (an editor opens on each row reached),
// on even runs the columns swapped and swapped back by drag and drop and a
// settings and a theme change (fonts, theme handles, title tip and drop
// arrows made again); last scrolling: one run in four lets an animated
// scroll finish, the next closes the sheet while one runs.
void SoakSheetRun::ShakeHeadersList() {
    HWND hList = Control(RdfDataAccess, IDC_HEADERS_LIST);
    const int rowHeight = ListRowHeight();
    ShowTitleTip();
    Hover(hList, 20, rowHeight / 2);
    ::SendMessageW(hList, WM_MOUSELEAVE, 0, 0);
    for (int x : {20, kHeaderColumnWidth + 20, kHeaderColumnWidth + 20})
        Drag(hList, x, x, rowHeight / 2);
    if (m_run % 2 == 1) {
        Drag(hList, kHeaderColumnWidth, kHeaderColumnWidth + 30, rowHeight / 2);
        Drag(hList, kHeaderColumnWidth + 30, kHeaderColumnWidth, rowHeight / 2);
        PressListKeys(hList);
    } else {
        SwapColumns(hList, rowHeight, true);
        SwapColumns(hList, rowHeight, false);
        ::SendMessageW(hList, WM_SETTINGCHANGE, 0, 0);
        ::SendMessageW(hList, WM_THEMECHANGED, 0, 0);
    }
    Scroll(hList);
}

void SoakSheetRun::PressListKeys(HWND hList) {
    ::SetFocus(hList);
    const UINT keys[] = {VK_HOME, VK_DOWN, VK_END, 'X'};
    for (UINT key : keys) {
        Press(key, 0);
        Press(VK_ESCAPE, 27);
    }
}

void SoakSheetRun::Scroll(HWND hList) {
    switch (m_run % 4) {
    case 1:
        ::SendMessageW(hList, WM_VSCROLL, SB_LINEDOWN, 0);
        Pump(200);
        ::SendMessageW(hList, WM_VSCROLL, SB_ENDSCROLL, 0);
        ::SendMessageW(hList, WM_VSCROLL, SB_TOP, 0);
        break;
    case 2:
        ::SendMessageW(hList, WM_VSCROLL, SB_LINEDOWN, 0);
        break;
    default:
        ::SendMessageW(hList, WM_VSCROLL, SB_BOTTOM, 0);
        break;
    }
    Pump();
}

// The first column's header cell dragged (through OLE drag and drop) onto
// the right half of the second, which puts the "Value" column first or,
// the second time, back. The drag loop reads the real mouse, whose button
// is up: it drops at once where the cursor is. Clicking the first cell
// shows which column came first, by its editor's width.
void SoakSheetRun::SwapColumns(HWND hList, int rowHeight, bool valueFirst) {
    POINT drop{kHeaderColumnWidth + 150, rowHeight / 2};
    ::ClientToScreen(hList, &drop);
    ::SetCursorPos(drop.x, drop.y);
    Drag(hList, 20, 40, rowHeight / 2);
    Drag(hList, 20, 20, rowHeight + rowHeight / 2);
    RECT editor{};
    HWND hEditor = ::GetFocus();
    if (::GetParent(hEditor) != hList || !::GetWindowRect(hEditor, &editor) ||
        (editor.right - editor.left > kHeaderColumnWidth) != valueFirst)
        Report(valueFirst ? "dragging the first column did not put \"Value\" first"
                          : "dragging the first column back did not put \"Header\" first");
    Press(VK_ESCAPE, 27);
}

// The left button pressed at one point and released at another (the
// same: a click), on one line.
void SoakSheetRun::Drag(HWND hWnd, int fromX, int toX, int y) {
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, y));
    if (toX != fromX) ::SendMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, y));
    ::SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(toX, y));
    Pump();
}

// The mouse over the cut-off value of the first row: the title tip shows,
// and paints.
void SoakSheetRun::ShowTitleTip() {
    HWND hList = Control(RdfDataAccess, IDC_HEADERS_LIST);
    const int rowHeight = ListRowHeight();
    ::SendMessageW(hList, WM_VSCROLL, SB_TOP, 0);
    Hover(hList, kHeaderColumnWidth + 40, rowHeight + rowHeight / 2);
    HWND hTip = ::FindWindowW(L"TitleTip", nullptr);
    if (::IsWindowVisible(hTip))
        ::UpdateWindow(hTip);
    else
        Report("no title tip showed over the cut-off value");
}

void SoakSheetRun::Hover(HWND hWnd, int x, int y) {
    ::SendMessageW(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    Pump();
}

// The mouse over the link and away: its tooltip and hand cursor. (A screen
// reader's query, WM_GETOBJECT, is left out: under Wine the system's own
// LresultFromObject and ObjectFromLresult pair keeps about 1 KB per round
// trip, even for the standard accessible object alone.)
void SoakSheetRun::VisitAbout() {
    HWND hLink = Control(About, IDC_ABOUT_LINK);
    if (hLink == nullptr) {
        Report("the About page has no link");
        return;
    }
    RECT client{};
    ::GetClientRect(hLink, &client);
    ::SendMessageW(hLink, WM_MOUSEMOVE, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
    Pump();
    ::SendMessageW(hLink, WM_MOUSELEAVE, 0, 0);
}

// Four ways out, in turn: OK on the About page; OK with an editor open on
// the RDF Data Access page; Cancel on the About page (while the list may
// still be animating); the close box while the list's title tip holds the
// mouse.
void SoakSheetRun::Close() {
    const int way = m_run % 4;
    if (way == 3 || way == 0) {
        SelectPage(RdfDataAccess);
        if (way == 3)
            ClickCell(0, 1);
        else
            ShowTitleTip();
    }
    switch (way) {
    case 0:
        ::SendMessageW(m_hSheet, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case 2:
        ::SendMessageW(::GetDlgItem(m_hSheet, IDCANCEL), BM_CLICK, 0, 0);
        break;
    default:
        ::SendMessageW(::GetDlgItem(m_hSheet, IDOK), BM_CLICK, 0, 0);
        break;
    }
}

HWND SoakSheetRun::Page(int page) const {
    return reinterpret_cast<HWND>(::SendMessageW(m_hSheet, PSM_INDEXTOHWND, page, 0));
}

HWND SoakSheetRun::Control(int page, int id) const { return ::GetDlgItem(Page(page), id); }

void SoakSheetRun::SelectPage(int page) {
    ::SendMessageW(m_hSheet, PSM_SETCURSEL, page, 0);
    Pump();
    Paint();
    if (Page(page) == nullptr) Report("page " + std::to_string(page) + " did not open");
}

void SoakSheetRun::Click(int page, int id) {
    ::SendMessageW(Control(page, id), BM_CLICK, 0, 0);
    Pump();
}

void SoakSheetRun::Choose(int page, int comboId, int position) {
    HWND hCombo = Control(page, comboId);
    ::SendMessageW(hCombo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    ::SendMessageW(Page(page), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(hCombo));
    Pump();
}

// Over the whole text of the field, which must take the focus.
void SoakSheetRun::TypeInto(HWND hEdit, const std::wstring& text) {
    ::SetFocus(hEdit);
    if (::GetFocus() != hEdit) {
        Report("a field to type into did not take the focus");
        return;
    }
    ::SendMessageW(hEdit, EM_SETSEL, 0, -1);
    Type(text);
}

void SoakSheetRun::Paint() { ::RedrawWindow(m_hSheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

void SoakSheetRun::Pump(DWORD milliseconds) {
    const ULONGLONG until = ::GetTickCount64() + milliseconds;
    MSG msg;
    for (;;) {
        while (::PeekMessageW(&msg, nullptr, 0, 0,
                              PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= until) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now),
                                    QS_ALLINPUT & ~QS_PAINT);
    }
}

void SoakSheetRun::Report(const std::string& problem) {
    m_problems += "run " + std::to_string(m_run) + ": " + problem + "\n";
}
