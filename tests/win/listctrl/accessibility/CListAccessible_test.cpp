// The headers grid of the real options sheet as a screen reader meets it:
// through AccessibleObjectFromWindow and the win events of its window.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "listctrl/GridTestSupport.h"
#include "sheet/COptionsDlg.h"
#include "sheet/SheetResources.h"
#include "support/AccessibleQueries.h"
#include "support/ComApartment.h"
#include "support/PrefsSandbox.h"
#include "support/SheetDriver.h"

using namespace accessible;

namespace {

constexpr int kRdf = SheetDriver::RdfDataAccess;

const char kSixPairs[] =
    "  h_name0: \"Accept\",\n  h_val0: \"text/turtle\",\n"
    "  h_name1: \"X-Two\",\n  h_val1: \"two\",\n  h_name2: \"X-Three\",\n  h_val2: \"three\",\n"
    "  h_name3: \"X-Four\",\n  h_val3: \"four\",\n  h_name4: \"X-Five\",\n  h_val4: \"five\",\n"
    "  h_name5: \"X-Six\",\n  h_val5: \"\"";

struct WinEvent {
    DWORD Event;
    LONG Child;
    bool operator==(const WinEvent& other) const {
        return Event == other.Event && Child == other.Child;
    }
};

std::ostream& operator<<(std::ostream& out, const WinEvent& e) {
    return out << "{0x" << std::hex << e.Event << std::dec << ", " << e.Child << "}";
}

// The object events a screen reader's out-of-context hook receives about
// one window's client area, less the focus events the system raises for the
// window itself.
class WinEventRecorder {
public:
    WinEventRecorder() {
        s_pActive = this;
        m_hook = ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SELECTIONWITHIN, nullptr,
                                   OnEvent, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }
    ~WinEventRecorder() {
        if (m_hook != nullptr) ::UnhookWinEvent(m_hook);
        s_pActive = nullptr;
    }
    bool Hooked() const { return m_hook != nullptr; }

    void Watch(HWND hWnd) {
        m_watched = hWnd;
        m_events.clear();
    }
    // What came since the last Take, once the thread's messages have run.
    std::vector<WinEvent> Take() {
        gridtest::Pump(80);
        return std::exchange(m_events, {});
    }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hWnd, LONG idObject,
                                 LONG idChild, DWORD, DWORD) {
        WinEventRecorder* pSelf = s_pActive;
        if (pSelf == nullptr || hWnd != pSelf->m_watched || idObject != OBJID_CLIENT) return;
        if (event == EVENT_OBJECT_FOCUS && idChild == CHILDID_SELF) return;
        pSelf->m_events.push_back({event, idChild});
    }

    static WinEventRecorder* s_pActive;
    HWINEVENTHOOK m_hook = nullptr;
    HWND m_watched = nullptr;
    std::vector<WinEvent> m_events;
};

WinEventRecorder* WinEventRecorder::s_pActive = nullptr;

// The selected children as a reader collects them: none, one id, or an
// enumeration of ids.
std::vector<LONG> SelectionOf(IAccessible* pAcc) {
    VARIANT selection;
    ::VariantInit(&selection);
    const HRESULT hr = pAcc->get_accSelection(&selection);
    std::vector<LONG> ids;
    if (selection.vt == VT_I4) ids.push_back(selection.lVal);
    if (selection.vt == VT_UNKNOWN) {
        IEnumVARIANT* pEnum = nullptr;
        EXPECT_EQ(selection.punkVal->QueryInterface(IID_IEnumVARIANT,
                                                    reinterpret_cast<void**>(&pEnum)),
                  S_OK);
        VARIANT item;
        ULONG fetched = 0;
        while (pEnum != nullptr && pEnum->Next(1, &item, &fetched) == S_OK && fetched == 1)
            ids.push_back(IntOf(item));
        if (pEnum != nullptr) pEnum->Release();
    }
    EXPECT_EQ(hr, ids.empty() ? S_FALSE : S_OK);
    ::VariantClear(&selection);
    return ids;
}

LONG FocusOf(IAccessible* pAcc) {
    VARIANT focus;
    ::VariantInit(&focus);
    EXPECT_EQ(pAcc->get_accFocus(&focus), S_OK);
    const LONG id = IntOf(focus);
    ::VariantClear(&focus);
    return id;
}

VARIANT HitAt(IAccessible* pAcc, HWND hWnd, POINT client) {
    ::ClientToScreen(hWnd, &client);
    VARIANT hit;
    ::VariantInit(&hit);
    pAcc->accHitTest(client.x, client.y, &hit);
    return hit;
}

RECT LocationOf(IAccessible* pAcc, LONG child) {
    LONG left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(pAcc->accLocation(&left, &top, &width, &height, Child(child)), S_OK);
    return RECT{left, top, left + width, top + height};
}

// An open editor gives the focus back to the grid, as a user's Escape does.
void EscapeEditor(HWND hGrid) {
    HWND hFocus = ::GetFocus();
    if (hFocus == hGrid || !::IsChild(hGrid, hFocus)) return;
    ::SendMessageW(hFocus, WM_KEYDOWN, VK_ESCAPE, 1);
    ::SendMessageW(hFocus, WM_CHAR, VK_ESCAPE, 1);
}

std::wstring TextOf(HWND hWnd) {
    wchar_t text[64] = L"";
    ::GetWindowTextW(hWnd, text, 64);
    return text;
}

}  // namespace

TEST(ListAccessible, ScreenReaderReadsTheHeadersGridAndFollowsClicksKeysAndRows) {
    ComApartment com;
    WinEventRecorder recorder;
    ASSERT_TRUE(recorder.Hooked());
    IAccessible* pKept = nullptr;
    {
        PrefsSandbox sandbox;
        ASSERT_TRUE(sandbox.WriteLocal(std::string("vtl_prefs = {\n") + kSixPairs + "};\n"));
        COptionsDlg dlg(L"VTL Options", 0, nullptr);
        SheetDriver::Run(dlg, [&](SheetDriver& sheet) {
            sheet.SelectPage(kRdf);
            CListUserData& list = dlg.RdfDataAccessPage().HeadersList();
            HWND hGrid = sheet.Control(kRdf, IDC_HEADERS_LIST);
            gridtest::Pump(80);
            IAccessible* pAcc = ClientObjectOf(hGrid);
            ASSERT_NE(pAcc, nullptr);
            pKept = pAcc;
            recorder.Watch(hGrid);

            // A table of six rows, each named by titles and texts.
            LONG count = 0;
            EXPECT_EQ(pAcc->get_accChildCount(&count), S_OK);
            EXPECT_EQ(count, list.GetItemCount());
            EXPECT_EQ(count, 6);
            EXPECT_EQ(RoleOf(pAcc, CHILDID_SELF), ROLE_SYSTEM_TABLE);
            const wchar_t* names[] = {L"Header: Accept, Value: text/turtle",
                                      L"Header: X-Two, Value: two",
                                      L"Header: X-Three, Value: three",
                                      L"Header: X-Four, Value: four",
                                      L"Header: X-Five, Value: five",
                                      L"Header: X-Six"};
            int offscreen = 0;
            for (LONG child = 1; child <= 6; ++child) {
                SCOPED_TRACE(testing::Message() << "child " << child);
                EXPECT_EQ(RoleOf(pAcc, child), ROLE_SYSTEM_ROW);
                EXPECT_EQ(NameOf(pAcc, child), names[child - 1]);
                const LONG state = StateOf(pAcc, child);
                EXPECT_EQ(state & (STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE |
                                   STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
                          STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE);
                RECT shown{};
                const bool inView = list.GetCellRect(child - 1, -1, shown);
                offscreen += !inView;
                EXPECT_EQ((state & STATE_SYSTEM_OFFSCREEN) != 0, !inView);
                const RECT location = LocationOf(pAcc, child);
                ::MapWindowPoints(hGrid, nullptr, reinterpret_cast<POINT*>(&shown), 2);
                if (inView) {
                    EXPECT_TRUE(::EqualRect(&location, &shown));
                }
                if (child > 1) {
                    const RECT above = LocationOf(pAcc, child - 1);
                    EXPECT_EQ(location.top, above.bottom);
                }
            }
            EXPECT_GT(offscreen, 0) << "the last rows are scrolled out of the grid";

            const VARIANT onRow = HitAt(pAcc, hGrid, gridtest::CellCentre(list, 1, 1));
            EXPECT_EQ(IntOf(onRow), 2);
            const VARIANT onHeader = HitAt(pAcc, hGrid, POINT{5, 5});
            EXPECT_EQ(IntOf(onHeader), CHILDID_SELF);
            const VARIANT outside = HitAt(pAcc, hGrid, POINT{-40, -40});
            EXPECT_EQ(outside.vt, VT_EMPTY);

            struct Step {
                LONG from, direction, to;  // to 0: nowhere
            };
            const Step steps[] = {{CHILDID_SELF, NAVDIR_FIRSTCHILD, 1},
                                  {CHILDID_SELF, NAVDIR_LASTCHILD, 6},
                                  {1, NAVDIR_NEXT, 2},
                                  {2, NAVDIR_DOWN, 3},
                                  {3, NAVDIR_UP, 2},
                                  {2, NAVDIR_PREVIOUS, 1},
                                  {1, NAVDIR_PREVIOUS, 0},
                                  {6, NAVDIR_NEXT, 0},
                                  {3, NAVDIR_RIGHT, 0}};
            for (const Step& s : steps) {
                VARIANT to;
                ::VariantInit(&to);
                SCOPED_TRACE(testing::Message() << s.from << " " << s.direction);
                EXPECT_EQ(pAcc->accNavigate(s.direction, Child(s.from), &to),
                          s.to ? S_OK : S_FALSE);
                EXPECT_EQ(s.to ? IntOf(to) : LONG{to.vt}, s.to ? s.to : LONG{VT_EMPTY});
            }
            VARIANT role;
            EXPECT_EQ(pAcc->get_accRole(Child(7), &role), E_INVALIDARG);
            EXPECT_EQ(pAcc->get_accRole(Child(-1), &role), E_INVALIDARG);
            EXPECT_EQ(pAcc->get_accName(Child(1), nullptr), E_POINTER);
            EXPECT_EQ(pAcc->accNavigate(NAVDIR_FIRSTCHILD, Child(2), &role), E_INVALIDARG);
            EXPECT_TRUE(recorder.Take().empty()) << "reading changes nothing";

            // Selection and focus follow the user; each editor a selection
            // opens is left with Escape.
            const POINT row0 = gridtest::CellCentre(list, 0, 0);
            const POINT row1 = gridtest::CellCentre(list, 1, 1);
            struct Act {
                const char* what;
                std::function<void()> act;
                std::vector<LONG> selection;
                LONG focus;
                std::vector<WinEvent> events;
            };
            const Act acts[] = {
                {"click", [&] { gridtest::Click(hGrid, row1); },
                 {2}, 2, {{EVENT_OBJECT_SELECTION, 2}, {EVENT_OBJECT_FOCUS, 2}}},
                {"Down", [&] { gridtest::Key(hGrid, VK_DOWN); },
                 {3}, 3, {{EVENT_OBJECT_SELECTION, 3}, {EVENT_OBJECT_FOCUS, 3}}},
                {"Shift+Up", [&] { gridtest::Key(hGrid, VK_UP, true); },
                 {2, 3}, 2, {{EVENT_OBJECT_SELECTIONADD, 2}, {EVENT_OBJECT_FOCUS, 2}}},
                {"Ctrl+A", [&] { gridtest::Key(hGrid, 'A', false, true); },
                 {1, 2, 3, 4, 5, 6}, 2,
                 {{EVENT_OBJECT_SELECTIONADD, 1}, {EVENT_OBJECT_SELECTIONADD, 4},
                  {EVENT_OBJECT_SELECTIONADD, 5}, {EVENT_OBJECT_SELECTIONADD, 6}}},
                {"Ctrl+Down moves the focus alone",
                 [&] { gridtest::Key(hGrid, VK_DOWN, false, true); },
                 {1, 2, 3, 4, 5, 6}, 3, {{EVENT_OBJECT_FOCUS, 3}}},
                {"a click in the selection keeps that row",
                 [&] { gridtest::Click(hGrid, row0); },
                 {1}, 1, {{EVENT_OBJECT_SELECTION, 1}, {EVENT_OBJECT_FOCUS, 1}}},
                {"accSelect takes the row out",
                 [&] { EXPECT_EQ(pAcc->accSelect(SELFLAG_REMOVESELECTION, Child(1)), S_OK); },
                 {}, 1, {{EVENT_OBJECT_SELECTIONREMOVE, 1}}},
            };
            for (const Act& a : acts) {
                SCOPED_TRACE(a.what);
                a.act();
                EscapeEditor(hGrid);
                EXPECT_EQ(::GetFocus(), hGrid);
                EXPECT_EQ(SelectionOf(pAcc), a.selection);
                EXPECT_EQ(FocusOf(pAcc), a.focus);
                EXPECT_TRUE(StateOf(pAcc, a.focus) & STATE_SYSTEM_FOCUSED);
                EXPECT_EQ(recorder.Take(), a.events);
            }
            EXPECT_EQ(pAcc->accSelect(SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION, Child(2)),
                      E_INVALIDARG);

            // The default action edits the row, scrolled into view first.
            BSTR action = nullptr;
            EXPECT_EQ(pAcc->get_accDefaultAction(Child(6), &action), S_OK);
            EXPECT_EQ(TakeString(action), L"Edit");
            ASSERT_TRUE(StateOf(pAcc, 6) & STATE_SYSTEM_OFFSCREEN);
            EXPECT_EQ(pAcc->accDoDefaultAction(Child(6)), S_OK);
            EXPECT_FALSE(StateOf(pAcc, 6) & STATE_SYSTEM_OFFSCREEN);
            EXPECT_EQ(SelectionOf(pAcc), std::vector<LONG>{6});
            EXPECT_TRUE(list.IsEditActive());
            HWND hEditor = ::GetFocus();
            EXPECT_TRUE(::IsChild(hGrid, hEditor) && ::IsWindowVisible(hEditor));
            EXPECT_EQ(TextOf(hEditor), L"X-Six");
            EscapeEditor(hGrid);
            const std::vector<WinEvent> edited{{EVENT_OBJECT_SELECTION, 6},
                                               {EVENT_OBJECT_FOCUS, 6}};
            EXPECT_EQ(recorder.Take(), edited);

            // Rows the page adds and removes.
            sheet.Click(kRdf, IDC_HEADER_ADD);
            EXPECT_EQ(recorder.Take(), (std::vector<WinEvent>{{EVENT_OBJECT_CREATE, 7}}));
            EXPECT_EQ(NameOf(pAcc, 7), L"Header: .");
            // The row reported selected last, X-Six, goes with its selection.
            sheet.Click(kRdf, IDC_HEADER_REMOVE);
            EXPECT_EQ(recorder.Take(), (std::vector<WinEvent>{{EVENT_OBJECT_REORDER, CHILDID_SELF},
                                                              {EVENT_OBJECT_SELECTIONWITHIN,
                                                               CHILDID_SELF}}));
            EXPECT_EQ(pAcc->get_accChildCount(&count), S_OK);
            EXPECT_EQ(count, 6);
            EXPECT_EQ(NameOf(pAcc, 6), L"Header: .");
            sheet.PressCancel();
        });
        ASSERT_NE(pKept, nullptr);
        // The grid's window is gone, its object not yet.
        LONG count = 0;
        EXPECT_EQ(pKept->get_accChildCount(&count), RPC_E_DISCONNECTED);
        EXPECT_EQ(pKept->accDoDefaultAction(Child(1)), RPC_E_DISCONNECTED);
    }
    // Neither is there now; the pointer still answers, with failures.
    BSTR name = nullptr;
    EXPECT_EQ(pKept->get_accName(Child(1), &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(pKept->get_accName(Child(CHILDID_SELF), &name), RPC_E_DISCONNECTED);
    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(pKept->get_accSelection(&result), RPC_E_DISCONNECTED);
    EXPECT_EQ(pKept->accHitTest(0, 0, &result), RPC_E_DISCONNECTED);
    LONG left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(pKept->accLocation(&left, &top, &width, &height, Child(1)), RPC_E_DISCONNECTED);
    pKept->Release();
}

namespace {

// A child of the grid that, being destroyed after it, asks the grid for
// its object as a screen reader may at that moment.
LRESULT CALLBACK AskParentWhenDestroyed(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR answer) {
    if (uMsg == WM_DESTROY)
        *reinterpret_cast<LRESULT*>(answer) =
            ::SendMessageW(::GetParent(hWnd), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    return ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
}

}  // namespace

TEST(ListAccessible, AGridBeingDestroyedHandsOutNoObject) {
    ComApartment com;
    gridtest::CParentWindow parent;
    gridtest::CTestGrid grid;
    ASSERT_NO_FATAL_FAILURE(gridtest::CreateChildList(parent, grid));
    IAccessible* pAcc = ClientObjectOf(grid.m_hWnd);  // while it lives, it has one
    ASSERT_NE(pAcc, nullptr);
    pAcc->Release();
    HWND hChild = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, grid.m_hWnd,
                                    nullptr, nullptr, nullptr);
    ASSERT_NE(hChild, nullptr);
    LRESULT answer = -1;
    ASSERT_TRUE(::SetWindowSubclass(hChild, AskParentWhenDestroyed, 1,
                                    reinterpret_cast<DWORD_PTR>(&answer)));
    parent.DestroyWindow();
    EXPECT_EQ(answer, 0);
}
