#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <new>
#include <string>

#include "framework/CPropertyPageBase.h"
#include "framework/CPropertySheetBase.h"
#include "framework/CWindowImpl.h"
#include "support/ImportPatch.h"

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

namespace {

BOOL WINAPI RefuseSubclass(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR) { return FALSE; }

}  // namespace

TEST(WindowFramework, CreationFailsAndLeavesNoWindowWhenTheWindowCannotBeTakenOver) {
    CProbeWindow wnd;
    RECT rc{0, 0, 100, 50};
    HWND created = nullptr;
    {
        ImportPatch refuse("comctl32.dll", "SetWindowSubclass", reinterpret_cast<void*>(&RefuseSubclass));
        ASSERT_TRUE(refuse.IsActive());
        created = wnd.Create(nullptr, rc, L"refused", WS_POPUP);
    }
    EXPECT_EQ(created, nullptr);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(FindWindowW(L"VTL_TestProbe", L"refused"), nullptr);
    // The object is free for a window of its own.
    ASSERT_NE(wnd.Create(nullptr, rc, L"second try", WS_POPUP), nullptr);
    EXPECT_TRUE(wnd.DestroyWindow());
}

namespace {

// A sheet with one empty page that notes which window its message map saw
// WM_PROBE in.
class CProbeSheet : public CPropertySheetImpl<CProbeSheet> {
public:
    CProbeSheet() : CPropertySheetImpl(L"Probe sheet", 0, nullptr) {}

    HWND probedIn = nullptr;

    BEGIN_MSG_MAP(CProbeSheet)
        MESSAGE_HANDLER(WM_PROBE, OnProbe)
    END_MSG_MAP()

    LRESULT OnProbe(UINT, WPARAM, LPARAM, BOOL&) {
        probedIn = m_hWnd;
        return 0;
    }
};

class CEmptyPage : public CPropertyPageBase {
public:
    CEmptyPage() : CPropertyPageBase(0) {
        PageDescription().dwFlags |= PSP_DLGINDIRECT;
        PageDescription().pResource = &m_template.header;
    }

private:
    struct alignas(4) Template {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } m_template{{WS_CHILD | DS_CONTROL, 0, 0, 0, 0, 100, 50}, 0, 0, 0};
};

// While the sheet is being created, before it is initialised, another
// object window gets a message it leaves to default handling and a new
// window of an object class is made without an object.
struct SheetCreationMeddler {
    static HWND s_existing;
    static HWND s_sheet;
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        wchar_t className[16]{};
        if (code == HCBT_CREATEWND && s_sheet == nullptr &&
            GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16) && wcscmp(className, L"#32770") == 0) {
            s_sheet = reinterpret_cast<HWND>(wParam);
            SendMessageW(s_existing, WM_APP + 2, 0, 0);
            DestroyWindow(CreateWindowExW(0, L"VTL_TestProbe", L"bare", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          GetModuleHandleW(nullptr), nullptr));
            PostMessageW(s_sheet, WM_PROBE, 0, 0);
            PostMessageW(s_sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};
HWND SheetCreationMeddler::s_existing = nullptr;
HWND SheetCreationMeddler::s_sheet = nullptr;

}  // namespace

TEST(WindowFramework, ASheetIsTakenOverByItsOwnObjectWhateverHappensWhileItIsCreated) {
    CProbeWindow existing;
    RECT rc{0, 0, 100, 50};
    ASSERT_NE(existing.Create(nullptr, rc, L"existing", WS_POPUP), nullptr);
    SheetCreationMeddler::s_existing = existing.m_hWnd;
    SheetCreationMeddler::s_sheet = nullptr;

    CEmptyPage page;
    CProbeSheet sheet;
    ASSERT_TRUE(sheet.AddPage(page.PageDescription()));
    HHOOK hook = SetWindowsHookExW(WH_CBT, SheetCreationMeddler::Hook, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    sheet.DoModal();
    UnhookWindowsHookEx(hook);

    ASSERT_NE(SheetCreationMeddler::s_sheet, nullptr);
    EXPECT_EQ(sheet.probedIn, SheetCreationMeddler::s_sheet);
    EXPECT_EQ(sheet.m_hWnd, nullptr);  // detached when its window went
    EXPECT_EQ(SendMessageW(existing.m_hWnd, WM_PROBE, 4, 0), 8);
    EXPECT_TRUE(existing.DestroyWindow());
}

namespace {

// Destroys its window from inside a message handler and deletes itself
// when the window is gone; its memory is then overwritten with a pattern
// that any later write by the framework would break.
class CSelfDeleting : public CWindowImpl<CSelfDeleting> {
public:
    DECLARE_WND_CLASS_EX(L"VTL_TestSelfDeleting", 0, COLOR_WINDOW)

    BEGIN_MSG_MAP(CSelfDeleting)
        MESSAGE_HANDLER(WM_CLOSE, OnClose)
    END_MSG_MAP()

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&) {
        DestroyWindow();
        return 0;  // the object may be gone: touch nothing
    }
    void OnFinalMessage(HWND) override {
        void* memory = this;
        this->~CSelfDeleting();
        std::memset(memory, kFreed, sizeof(CSelfDeleting));
    }

    static constexpr unsigned char kFreed = 0xA5;
};

}  // namespace

TEST(WindowFramework, AnObjectThatDeletesItselfWhenItsWindowGoesIsNotTouchedAfterwards) {
    alignas(CSelfDeleting) unsigned char memory[sizeof(CSelfDeleting)];
    auto* object = new (memory) CSelfDeleting();
    RECT rc{0, 0, 100, 50};
    HWND hWnd = object->Create(nullptr, rc, L"self-deleting", WS_POPUP);
    ASSERT_NE(hWnd, nullptr);
    SendMessageW(hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hWnd));
    for (unsigned char byte : memory) ASSERT_EQ(byte, CSelfDeleting::kFreed);
}
