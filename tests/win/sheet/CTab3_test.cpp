#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "framework/CLinkLauncher.h"
#include "listctrl/GridTestSupport.h"
#include "sheet/COptionsDlg.h"
#include "support/AccessibleQueries.h"
#include "support/ComApartment.h"
#include "support/PrefsSandbox.h"
#include "support/SheetDriver.h"

namespace {

constexpr int kAbout = SheetDriver::About;
const std::wstring kHomePage = L"http://www.brackwyn.example/vtl/";
constexpr COLORREF kDefaultLink = RGB(0, 0, 255);
const wchar_t kSettingsKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

// Watches every link launch instead of starting a browser; each launch
// succeeds or fails as the test says.
class LaunchRecorder {
public:
    LaunchRecorder() {
        m_previous = CLinkLauncher::Replace([this](const std::wstring& target) {
            launches.push_back(target);
            return succeed;
        });
    }
    ~LaunchRecorder() { CLinkLauncher::Replace(m_previous); }

    std::vector<std::wstring> launches;
    bool succeed = true;

private:
    CLinkLauncher::LaunchFunction m_previous;
};

// The browser's link colour values for one test, removed afterwards.
class BrowserLinkColours {
public:
    BrowserLinkColours() {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &m_hKey, nullptr);
    }
    ~BrowserLinkColours() {
        ::RegDeleteValueW(m_hKey, L"Anchor Color");
        ::RegDeleteValueW(m_hKey, L"Anchor Color Visited");
        ::RegCloseKey(m_hKey);
    }
    void SetText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
        ::RegSetValueExW(m_hKey, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    void SetDword(const wchar_t* name, DWORD value) {
        ::RegSetValueExW(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof(value));
    }

private:
    HKEY m_hKey = nullptr;
};

// A new sheet over an empty preferences folder; Run shows its About page
// and runs the script on the link. The page objects outlive the run.
struct AboutSheet {
    PrefsSandbox sandbox;
    COptionsDlg dlg{L"VTL Options", 0, nullptr};

    void Run(const std::function<void(SheetDriver&, HWND)>& script) {
        SheetDriver::Run(dlg, [&](SheetDriver& sheet) {
            sheet.SelectPage(kAbout);
            HWND hLink = sheet.Control(kAbout, IDC_ABOUT_LINK);
            EXPECT_NE(hLink, nullptr);
            script(sheet, hLink);
            sheet.PressCancel();
        });
    }
};

// Pixels of the link's client area in the colour (antialiased edges aside).
int PixelsOf(HWND hLink, COLORREF colour) {
    const gridtest::Capture capture(hLink);
    return capture.CountNear(RECT{0, 0, capture.width, capture.height}, colour, 8);
}

// A wider link window than the template's, so that there is room beside
// the link text.
void Widen(HWND hLink) {
    ::SetWindowPos(hLink, nullptr, 0, 0, 240, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const POINT kOnLinkText{4, 6};
const POINT kBesideLinkText{220, 30};

void SendMouse(HWND hWnd, UINT uMsg, POINT at) {
    ::SendMessageW(hWnd, uMsg, uMsg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(at.x, at.y));
}

// The link's tooltip: the tooltip window holding one tool for it.
struct ToolTipSearch {
    HWND link;
    HWND found;
    TOOLINFOW tool;
    wchar_t text[80];
};

BOOL CALLBACK FindToolTip(HWND hWnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<ToolTipSearch*>(lParam);
    wchar_t className[32]{};
    ::GetClassNameW(hWnd, className, 32);
    if (lstrcmpiW(className, TOOLTIPS_CLASSW) != 0) return TRUE;
    pSearch->tool = TOOLINFOW{};
    pSearch->tool.cbSize = sizeof(TOOLINFOW);
    pSearch->tool.lpszText = pSearch->text;
    if (!::SendMessageW(hWnd, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&pSearch->tool)) ||
        pSearch->tool.hwnd != pSearch->link)
        return TRUE;
    pSearch->found = hWnd;
    return FALSE;
}

}  // namespace

TEST(AboutPage, DrawsTheLinkTextInTheBrowsersColoursOrGreyWhenDisabled) {
    enum Kind { Text, ExpandText, Dword };
    struct Case {
        Kind kind;
        const wchar_t* text;
        bool disabled;
        COLORREF expected;
    };
    const Case cases[] = {
        {Text, L"0,0,128", false, RGB(0, 0, 128)},
        {ExpandText, L" 0, 128,0", false, RGB(0, 128, 0)},
        {Text, L"256,0,0", false, RGB(0, 0, 0)},
        {Text, L"0,0", false, kDefaultLink},
        {Dword, L"", false, kDefaultLink},
        {Text, L"000,000,0128", false, kDefaultLink},  // 12 characters: too long
        {Text, L"0,0,128", true, ::GetSysColor(COLOR_GRAYTEXT)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value \"" << c.text << "\" kind " << c.kind);
        BrowserLinkColours colours;
        if (c.kind == Text) colours.SetText(L"Anchor Color", c.text);
        if (c.kind == ExpandText) colours.SetText(L"Anchor Color", c.text, REG_EXPAND_SZ);
        if (c.kind == Dword) colours.SetDword(L"Anchor Color", 0x800000);
        AboutSheet().Run([&](SheetDriver&, HWND hLink) {
            if (c.disabled) ::EnableWindow(hLink, FALSE);
            EXPECT_GT(PixelsOf(hLink, c.expected), 10);
            if (c.expected != kDefaultLink) {
                EXPECT_EQ(PixelsOf(hLink, kDefaultLink), 0);
            }
        });
    }
}

TEST(AboutPage, ShowsTheHandAndTheAddressOnlyOverTheLinkText) {
    AboutSheet().Run([](SheetDriver&, HWND hLink) {
        const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
        const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
        Widen(hLink);
        ::SetCursor(arrow);
        SendMouse(hLink, WM_MOUSEMOVE, kBesideLinkText);
        EXPECT_EQ(::GetCursor(), arrow);
        SendMouse(hLink, WM_MOUSEMOVE, kOnLinkText);
        EXPECT_EQ(::GetCursor(), hand);

        // WM_SETCURSOR keeps the hand over the link text and gives the
        // window's own arrow elsewhere.
        const auto setCursorAt = [&](POINT client) {
            ::ClientToScreen(hLink, &client);
            ::SetCursorPos(client.x, client.y);
            ::SetCursor(hand);
            ::SendMessageW(hLink, WM_SETCURSOR, reinterpret_cast<WPARAM>(hLink),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            return ::GetCursor();
        };
        EXPECT_EQ(setCursorAt(kOnLinkText), hand);
        EXPECT_EQ(setCursorAt(kBesideLinkText), arrow);

        ToolTipSearch search{hLink, nullptr, {}, {}};
        ::EnumThreadWindows(::GetCurrentThreadId(), FindToolTip, reinterpret_cast<LPARAM>(&search));
        ASSERT_NE(search.found, nullptr);
        EXPECT_EQ(::SendMessageW(search.found, TTM_GETTOOLCOUNT, 0, 0), 1);
        EXPECT_EQ(search.text, kHomePage);
        const TOOLINFOW& tool = search.tool;
        EXPECT_LT(tool.rect.right, kBesideLinkText.x);
        EXPECT_TRUE(::PtInRect(&tool.rect, kOnLinkText));
    });
}

TEST(AboutPage, OpensTheLinkOnReleaseOverItThenShowsItVisitedWithTheFocusAndSpaceOpensAgain) {
    BrowserLinkColours colours;
    colours.SetText(L"Anchor Color Visited", L"0,128,0");
    LaunchRecorder recorder;
    AboutSheet().Run([&](SheetDriver& sheet, HWND hLink) {
        Widen(hLink);
        SendMouse(hLink, WM_LBUTTONDOWN, kOnLinkText);
        EXPECT_EQ(::GetFocus(), hLink);
        SendMouse(hLink, WM_LBUTTONUP, POINT{400, 90});
        EXPECT_TRUE(recorder.launches.empty());
        // A press beside the link text is no click on the link.
        SendMouse(hLink, WM_LBUTTONDOWN, kBesideLinkText);
        SendMouse(hLink, WM_LBUTTONUP, kOnLinkText);
        EXPECT_TRUE(recorder.launches.empty());

        // A launch the shell refuses leaves the link unvisited.
        recorder.succeed = false;
        SendMouse(hLink, WM_LBUTTONDOWN, kOnLinkText);
        SendMouse(hLink, WM_LBUTTONUP, kOnLinkText);
        EXPECT_EQ(recorder.launches.size(), 1u);
        EXPECT_GT(PixelsOf(hLink, kDefaultLink), 10);

        recorder.succeed = true;
        SendMouse(hLink, WM_LBUTTONDOWN, kOnLinkText);
        SendMouse(hLink, WM_LBUTTONUP, kOnLinkText);
        EXPECT_EQ(recorder.launches, std::vector<std::wstring>(2, kHomePage));
        EXPECT_GT(PixelsOf(hLink, RGB(0, 128, 0)), 10);
        EXPECT_EQ(PixelsOf(hLink, kDefaultLink), 0);

        // The focus rectangle is all that changes when the focus leaves.
        ASSERT_EQ(::GetFocus(), hLink);
        const gridtest::Capture focused(hLink);
        ::SetFocus(::GetDlgItem(sheet.Sheet(), IDOK));
        const gridtest::Capture unfocused(hLink);
        int changed = 0;
        for (size_t i = 0; i < focused.pixels.size(); ++i)
            changed += focused.pixels[i] != unfocused.pixels[i];
        EXPECT_GT(changed, 20);

        // The link is the stop before OK. Reached with Shift+Tab it shows
        // its focus rectangle; Enter and Space, typed as a user does, open
        // it once each and the sheet stays (Enter is not OK's here).
        sheet.PressKey(VK_TAB, true);
        ASSERT_EQ(::GetFocus(), hLink);
        const gridtest::Capture tabbed(hLink);
        sheet.PressKey(VK_TAB);
        ASSERT_NE(::GetFocus(), hLink);
        const gridtest::Capture tabbedAway(hLink);
        changed = 0;
        for (size_t i = 0; i < tabbed.pixels.size(); ++i)
            changed += tabbed.pixels[i] != tabbedAway.pixels[i];
        EXPECT_GT(changed, 20);
        EXPECT_LT(changed, static_cast<int>(tabbed.pixels.size()) / 4);
        sheet.PressKey(VK_TAB, true);
        ASSERT_EQ(::GetFocus(), hLink);
        const struct {
            WORD key;
            size_t launches;
        } keys[] = {{VK_RETURN, 3}, {VK_SPACE, 4}, {'X', 4}, {VK_RETURN, 5}};
        for (const auto& k : keys) {
            SCOPED_TRACE(testing::Message() << "key " << k.key);
            sheet.PressKey(k.key);
            EXPECT_EQ(recorder.launches.size(), k.launches);
            ASSERT_TRUE(::IsWindowVisible(sheet.Sheet()));
            EXPECT_EQ(::GetFocus(), hLink);
        }
    });
}

namespace {

// Watches the link's window from outside: while it is being destroyed,
// after the link has seen WM_DESTROY, asks it for its accessible object.
struct DestroyWatch {
    bool asked = false;
    LRESULT answer = 0;

    static LRESULT CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR data) {
        auto* pWatch = reinterpret_cast<DestroyWatch*>(data);
        const LRESULT result = ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
        if (uMsg == WM_DESTROY) {
            pWatch->asked = true;
            pWatch->answer = ::SendMessageW(hWnd, WM_GETOBJECT, 0, OBJID_CLIENT);
            IAccessible* pLeaked = nullptr;  // taken back, should there be one
            if (pWatch->answer > 0)
                ::ObjectFromLresult(pWatch->answer, __uuidof(IAccessible), 0,
                                    reinterpret_cast<void**>(&pLeaked));
            if (pLeaked != nullptr) pLeaked->Release();
        }
        if (uMsg == WM_NCDESTROY) ::RemoveWindowSubclass(hWnd, Proc, id);
        return result;
    }
};

}  // namespace

TEST(AboutPage, AnswersScreenReadersNothingOnceItsWindowIsBeingDestroyed) {
    ComApartment com;
    DestroyWatch watch;
    AboutSheet().Run([&](SheetDriver&, HWND hLink) {
        // A reader has had the link's object; the window goes with the sheet.
        IAccessible* pLink = accessible::ClientObjectOf(hLink);
        ASSERT_NE(pLink, nullptr);
        pLink->Release();
        ASSERT_TRUE(::SetWindowSubclass(hLink, DestroyWatch::Proc, 1,
                                        reinterpret_cast<DWORD_PTR>(&watch)));
    });
    EXPECT_TRUE(watch.asked);
    EXPECT_EQ(watch.answer, 0);
}

TEST(AboutPage, ScreenReadersSeeALinkThatJumpsAndLetsGoCleanlyWhenThePageCloses) {
    using namespace accessible;
    const VARIANT kSelf = Child(CHILDID_SELF);
    ComApartment com;
    LaunchRecorder recorder;
    IAccessible* pKept = nullptr;
    AboutSheet about;
    about.Run([&](SheetDriver&, HWND hLink) {
        IAccessible* pLink = ClientObjectOf(hLink);
        ASSERT_NE(pLink, nullptr);
        pKept = pLink;

        VARIANT role;
        ::VariantInit(&role);
        EXPECT_EQ(pLink->get_accRole(kSelf, &role), S_OK);
        EXPECT_EQ(role.vt, VT_I4);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_LINK);
        BSTR text = nullptr;
        EXPECT_EQ(pLink->get_accName(kSelf, &text), S_OK);
        EXPECT_EQ(TakeString(text), L"VTL Site");
        EXPECT_EQ(pLink->get_accValue(kSelf, &text), S_OK);
        EXPECT_EQ(TakeString(text), kHomePage);
        EXPECT_EQ(pLink->get_accDefaultAction(kSelf, &text), S_OK);
        EXPECT_EQ(TakeString(text), L"Jump");

        EXPECT_EQ(StateOf(pLink, CHILDID_SELF) & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED),
                  STATE_SYSTEM_FOCUSABLE);
        ::SetFocus(hLink);
        EXPECT_TRUE(StateOf(pLink, CHILDID_SELF) & STATE_SYSTEM_FOCUSED);

        // What the link does not know comes from the system's proxy.
        LONG left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(pLink->accLocation(&left, &top, &width, &height, kSelf), S_OK);
        RECT window{};
        ::GetWindowRect(hLink, &window);
        EXPECT_EQ(left, window.left);
        EXPECT_EQ(width, window.right - window.left);
        HWND hFound = nullptr;
        EXPECT_EQ(::WindowFromAccessibleObject(pLink, &hFound), S_OK);
        EXPECT_EQ(hFound, hLink);
        EXPECT_EQ(pLink->get_accRole(Child(1), &role), E_INVALIDARG);

        EXPECT_EQ(pLink->accDoDefaultAction(kSelf), S_OK);
        EXPECT_EQ(recorder.launches, std::vector<std::wstring>{kHomePage});
        EXPECT_TRUE(StateOf(pLink, CHILDID_SELF) & STATE_SYSTEM_TRAVERSED);
    });
    ASSERT_NE(pKept, nullptr);
    // The link's window is gone (its object not yet); the pointer still
    // answers, with failures.
    VARIANT role;
    ::VariantInit(&role);
    EXPECT_EQ(pKept->get_accRole(kSelf, &role), RPC_E_DISCONNECTED);
    BSTR text = nullptr;
    EXPECT_EQ(pKept->get_accName(kSelf, &text), RPC_E_DISCONNECTED);
    LONG left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(pKept->accLocation(&left, &top, &width, &height, kSelf), RPC_E_DISCONNECTED);
    EXPECT_EQ(pKept->accDoDefaultAction(kSelf), RPC_E_DISCONNECTED);
    EXPECT_EQ(recorder.launches.size(), 1u);
    pKept->Release();
}
