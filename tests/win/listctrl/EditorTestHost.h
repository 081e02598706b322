#pragma once
// Shared by the in-place editor tests: a window that plays the list for an
// editor (it reflects its children's notifications back to them and keeps
// every GLN_ENDEDIT), and the keyboard and mouse as a user works them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/CWindowImpl.h"
#include "listctrl/ListConstants.h"
#include "listctrl/NMGRIDCELL.h"

namespace editortest {

// What an editor reported, copied while the record was valid.
struct EndEdit {
    HWND From;
    UINT_PTR Id;
    int Item;
    int SubItem;
    WORD ExitKey;
    std::wstring Text;
    bool HasDate;
    SYSTEMTIME Date;
};

class CEditorHost : public CWindowImpl<CEditorHost> {
public:
    DECLARE_WND_CLASS_EX(L"VTL_EditorTestHost", 0, COLOR_WINDOW)
    static constexpr COLORREF BEHIND = RGB(10, 200, 30);  // what it paints into a DC it is given

    std::vector<EndEdit> ends;
    int paintsIntoGivenDC = 0;

    BEGIN_MSG_MAP(CEditorHost)
        NOTIFY_CODE_HANDLER(GLN_ENDEDIT, OnEndEdit)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    LRESULT OnEndEdit(int, LPNMHDR header, BOOL&) {
        const auto* cell = reinterpret_cast<const NMGRIDCELL*>(header);
        EndEdit end{cell->hdr.hwndFrom, cell->hdr.idFrom, cell->Item, cell->SubItem, cell->ExitKey,
                    cell->Text ? cell->Text : L"<null>", cell->Date != nullptr, SYSTEMTIME{}};
        if (cell->Date) end.Date = *cell->Date;
        ends.push_back(end);
        return 0;
    }

    // The list paints itself into a DC a child hands it; so does this host.
    LRESULT OnPaint(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
        if (wParam == 0) {
            bHandled = FALSE;
            return 0;
        }
        ++paintsIntoGivenDC;
        // BEHIND only from a little above and left of the cells on, so that
        // a child painting the host at the wrong place shows white.
        HDC hdc = reinterpret_cast<HDC>(wParam);
        const RECT all{-10000, -10000, 10000, 10000};
        const RECT cells{30, 50, 10000, 10000};
        ::FillRect(hdc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        HBRUSH brush = ::CreateSolidBrush(BEHIND);
        ::FillRect(hdc, &cells, brush);
        ::DeleteObject(brush);
        return 0;
    }
};

// One host with a button beside the cell that a click elsewhere lands on.
// The host stays hidden unless a test looks at pixels: under Wine a shown
// top-level window takes seconds to go away. Cells are given in host
// client coordinates.
class EditorTest : public ::testing::Test {
protected:
    static constexpr RECT CELL{40, 60, 240, 82};

    void SetUp() override {
        const RECT rect{0, 0, 400, 300};
        ASSERT_NE(host.Create(nullptr, rect, L"editor test", WS_POPUP | WS_CLIPCHILDREN), nullptr);
        elsewhere = ::CreateWindowExW(0, L"BUTTON", L"elsewhere", WS_CHILD | WS_VISIBLE, 300, 250,
                                      90, 30, host.m_hWnd, nullptr, nullptr, nullptr);
        ASSERT_NE(elsewhere, nullptr);
        ::SetFocus(host.m_hWnd);
    }
    void TearDown() override { host.DestroyWindow(); }

    static void Pump() {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }

    // A key pressed and released over the window with the focus, as the
    // keyboard delivers it (with the character already translated).
    static void Press(WORD vk, wchar_t ch) {
        HWND focus = ::GetFocus();
        ASSERT_NE(focus, nullptr);
        ::PostMessageW(focus, WM_KEYDOWN, vk, 1);
        if (ch != 0) ::PostMessageW(focus, WM_CHAR, ch, 1);
        ::PostMessageW(focus, WM_KEYUP, vk, 0xC0000001);
        Pump();
    }
    static void Type(const std::wstring& text) {
        for (wchar_t c : text) Press(static_cast<WORD>(::VkKeyScanW(c) & 0xFF), c);
    }
    // A left click at a point of a window's client area.
    static void Click(HWND hWnd, int x, int y) {
        ::PostMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump();
    }
    void ClickElsewhere() { Click(elsewhere, 5, 5); }

    // Shown in itself (the host may be hidden).
    static bool Shown(HWND hWnd) {
        return (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    }

    // The window's rectangle in host client coordinates.
    RECT PlaceOf(HWND hWnd) const {
        RECT rect;
        ::GetWindowRect(hWnd, &rect);
        ::MapWindowPoints(nullptr, host.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    // The one report of the edit, which must have left the editor hidden
    // and the focus with the host.
    const EndEdit& TheEnd(HWND editor) {
        static const EndEdit none{};
        EXPECT_EQ(host.ends.size(), 1u);
        if (host.ends.empty()) return none;
        const EndEdit& end = host.ends.back();
        EXPECT_EQ(end.From, editor);
        EXPECT_EQ(end.Id, 0u);  // editors have no control id
        EXPECT_FALSE(Shown(editor));
        return end;
    }

    CEditorHost host;
    HWND elsewhere = nullptr;
};

}  // namespace editortest
