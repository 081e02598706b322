#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/CWindowImpl.h"

namespace {

constexpr UINT WM_PROBE = WM_APP + 1;

class CProbeWindow : public CWindowImpl<CProbeWindow> {
public:
    DECLARE_WND_CLASS_EX(L"VTL_TestProbe", 0, COLOR_WINDOW)

    int probes = 0;
    bool created = false;
    bool finalMessage = false;

    BEGIN_MSG_MAP(CProbeWindow)
        MESSAGE_HANDLER(WM_CREATE, OnCreate)
        MESSAGE_HANDLER(WM_PROBE, OnProbe)
        MESSAGE_HANDLER(WM_SETTEXT, OnSetText)
    END_MSG_MAP()

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
        created = true;
        return 0;
    }
    LRESULT OnProbe(UINT, WPARAM wParam, LPARAM, BOOL&) {
        ++probes;
        return static_cast<LRESULT>(wParam) * 2;
    }
    // Lets the text through to default handling after counting it.
    LRESULT OnSetText(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        ++probes;
        bHandled = FALSE;
        return 0;
    }
    void OnFinalMessage(HWND) override { finalMessage = true; }
};

class CStaticProbe : public CWindowImplBase {
public:
    int clicks = 0;
    BEGIN_MSG_MAP(CStaticProbe)
        MESSAGE_HANDLER(WM_PROBE, OnProbe)
    END_MSG_MAP()
    LRESULT OnProbe(UINT, WPARAM, LPARAM, BOOL&) { return ++clicks; }
};

}  // namespace

TEST(WindowFramework, CreatedWindowRunsItsMessageMapAndDefaultsTheRest) {
    CProbeWindow wnd;
    RECT rc{0, 0, 100, 50};
    ASSERT_NE(wnd.Create(nullptr, rc, L"first", WS_OVERLAPPEDWINDOW), nullptr);
    EXPECT_TRUE(wnd.created);
    EXPECT_EQ(SendMessageW(wnd.m_hWnd, WM_PROBE, 21, 0), 42);
    SetWindowTextW(wnd.m_hWnd, L"second");
    wchar_t text[32]{};
    GetWindowTextW(wnd.m_hWnd, text, 32);
    EXPECT_STREQ(text, L"second");  // default handling stored the text
    EXPECT_EQ(wnd.probes, 2);       // the probe and the WM_SETTEXT
    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_TRUE(wnd.finalMessage);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST(WindowFramework, SubclassingTakesOverAndGivesBackAnExistingWindow) {
    HWND hStatic = CreateWindowExW(0, L"STATIC", L"text", WS_POPUP, 0, 0, 50, 20, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hStatic, nullptr);
    CStaticProbe probe;
    ASSERT_TRUE(probe.SubclassWindow(hStatic));
    EXPECT_FALSE(probe.SubclassWindow(hStatic));  // one window per object
    EXPECT_EQ(SendMessageW(hStatic, WM_PROBE, 0, 0), 1);
    EXPECT_EQ(SendMessageW(hStatic, WM_GETTEXTLENGTH, 0, 0), 4);  // the static's own procedure
    EXPECT_EQ(probe.UnsubclassWindow(), hStatic);
    EXPECT_EQ(SendMessageW(hStatic, WM_PROBE, 0, 0), 0);
    EXPECT_EQ(probe.clicks, 1);
    DestroyWindow(hStatic);
}

namespace {

// An edit box that refuses digits: a superclass of the system "EDIT".
class CNoDigitsEdit : public CWindowImpl<CNoDigitsEdit> {
public:
    DECLARE_WND_SUPERCLASS(L"VTL_TestNoDigitsEdit", L"EDIT")

    BEGIN_MSG_MAP(CNoDigitsEdit)
        MESSAGE_HANDLER(WM_CHAR, OnChar)
    END_MSG_MAP()

    LRESULT OnChar(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
        if (wParam >= L'0' && wParam <= L'9') return 0;
        bHandled = FALSE;
        return 0;
    }
};

}  // namespace

TEST(WindowFramework, SuperclassKeepsTheSystemControlForWhatItDoesNotHandle) {
    CNoDigitsEdit edit;
    RECT rc{0, 0, 120, 24};
    ASSERT_NE(edit.Create(nullptr, rc, L"", WS_POPUP), nullptr);
    wchar_t className[32]{};
    GetClassNameW(edit.m_hWnd, className, 32);
    EXPECT_STREQ(className, L"VTL_TestNoDigitsEdit");
    for (wchar_t c : std::wstring(L"a1b2")) SendMessageW(edit.m_hWnd, WM_CHAR, c, 0);
    wchar_t text[16]{};
    GetWindowTextW(edit.m_hWnd, text, 16);
    EXPECT_STREQ(text, L"ab");  // the edit's own procedure inserted the letters
    edit.DestroyWindow();
}
