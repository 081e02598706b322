#pragma once
// Shared by the grid tests: a parent window that records the list's
// notifications, a concrete list with cells of every kind, and pixel
// capture of WM_PRINTCLIENT output.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/CWindowImpl.h"
#include "listctrl/CListImpl.h"
#include "listctrl/CListUserData.h"

namespace gridtest {

constexpr int LIST_ID = 239;

struct Notification {
    HWND From;
    UINT_PTR Id;
    int Code;
    int Item;
    int SubItem;
};

// A top-level window that plays the page: it keeps every WM_NOTIFY.
class CParentWindow : public CWindowImpl<CParentWindow> {
public:
    DECLARE_WND_CLASS_EX(L"VTL_GridTestParent", 0, COLOR_BTNFACE)
    std::vector<Notification> notifications;

    BEGIN_MSG_MAP(CParentWindow)
        MESSAGE_HANDLER(WM_NOTIFY, OnNotify)
    END_MSG_MAP()

    LRESULT OnNotify(UINT, WPARAM, LPARAM lParam, BOOL&) {
        const auto* cell = reinterpret_cast<const NMGRIDCELL*>(lParam);
        notifications.push_back({cell->hdr.hwndFrom, cell->hdr.idFrom,
                                 static_cast<int>(cell->hdr.code), cell->Item, cell->SubItem});
        return 0;
    }

    // Left hidden: nothing here needs it on screen, and under Wine a shown
    // top-level window takes seconds to go away.
    HWND CreateHidden(int width = 600, int height = 400) {
        const RECT rect{0, 0, width, height};
        return Create(nullptr, rect, L"grid test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    }
};

// A list whose columns may be of any kind, with rows of texts by column Id.
class CTestGrid : public CListImpl<CTestGrid> {
public:
    DECLARE_WND_CLASS_EX(L"VTL_TestGrid", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, COLOR_WINDOW)

    std::vector<std::vector<std::wstring>> rows;

    int GetItemCount() const { return static_cast<int>(rows.size()); }
    std::wstring GetItemText(int row, int id) const {
        if (!IsRow(row) || id < 0 || id >= static_cast<int>(rows[row].size())) return L"";
        return rows[row][id];
    }
    bool SetItemText(int row, int id, const std::wstring& text) {
        if (!IsRow(row) || refuseWrites) return false;
        if (id >= 0 && id < static_cast<int>(rows[row].size())) rows[row][id] = text;
        return true;
    }
    int GetCellKind(int, int id) const {
        const ListColumn* column = FindColumn(id);
        return column ? column->Kind : CELL_PLAIN;
    }
    unsigned GetCellFlags(int, int id) const {
        const ListColumn* column = FindColumn(id);
        return column ? column->Flags : 0u;
    }
    bool GetCellChoices(int, int id, std::vector<std::wstring>& choices) const {
        const ListColumn* column = FindColumn(id);
        choices = column ? column->Choices : std::vector<std::wstring>();
        return !choices.empty();
    }
    std::wstring GetCellToolTip(int row, int id) const {
        return toolTips ? L"tip " + GetItemText(row, id) : L"";
    }
    // Ordinal by the column's text; the tests look at the order only.
    void SortRows(int id) {
        std::sort(rows.begin(), rows.end(), [id](const auto& a, const auto& b) {
            return a.at(id) < b.at(id);
        });
    }
    void ReverseItemOrder() { std::reverse(rows.begin(), rows.end()); }
    void SetChoices(int position, std::vector<std::wstring> choices) {
        m_columns.at(position).Choices = std::move(choices);
    }
    bool toolTips = false;
    // As a list whose data refuses a value does.
    bool refuseWrites = false;
    HWND ToolTip() const { return m_titleTips.GetToolTipWindow(); }
    HWND TitleTip() const { return m_titleTips.GetTitleTipWindow(); }
    // The column drag's arrows and the image it would drag a column with.
    HWND DropArrows();
    bool DragImage(int position, SHDRAGIMAGE& image);
    // As a column drag would leave them: the Ids stay with their columns.
    void MoveColumn(int from, int to) {
        ListColumn column = m_columns.at(from);
        m_columns.erase(m_columns.begin() + from);
        m_columns.insert(m_columns.begin() + to, column);
        Invalidate();
    }

    void AddRow(std::vector<std::wstring> texts) {
        rows.push_back(std::move(texts));
        RecalculateLayout();
    }
    // The rubber band as a drag over the items leaves it (content coordinates).
    void SetSelectionRectangle(const RECT* rect);
    void SetCurrent(int row, int cell) {
        m_selection.CurrentRow = row;
        m_selection.CurrentCell = cell;
        Invalidate();
    }
};

// ---- Input as the system delivers it -----------------------------------

// Runs the thread's messages (timers included) for a while, through the
// dialog manager of a dialog when one is given.
inline void Pump(DWORD milliseconds, HWND dialog = nullptr) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog != nullptr && IsDialogMessageW(dialog, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

template <class List>
void GetCellRectOrFail(const List& list, int row, int cell, RECT& rect) {
    ASSERT_TRUE(list.GetCellRect(row, cell, rect)) << "row " << row << " cell " << cell;
}

// The centre of a cell in client coordinates.
template <class List>
POINT CellCentre(const List& list, int row, int cell) {
    RECT rect{};
    GetCellRectOrFail(list, row, cell, rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

inline void Mouse(HWND hWnd, UINT message, POINT point, WPARAM keys = 0) {
    SendMessageW(hWnd, message, keys, MAKELPARAM(point.x, point.y));
}

// A press and release of the left button (keys: MK_SHIFT, MK_CONTROL).
inline void Click(HWND hWnd, POINT point, WPARAM keys = 0) {
    Mouse(hWnd, WM_LBUTTONDOWN, point, keys | MK_LBUTTON);
    Mouse(hWnd, WM_LBUTTONUP, point, keys);
}

// The message sequence of a double click.
inline void DoubleClick(HWND hWnd, POINT point) {
    Click(hWnd, point);
    Mouse(hWnd, WM_LBUTTONDBLCLK, point, MK_LBUTTON);
    Mouse(hWnd, WM_LBUTTONUP, point);
}

// A key press with Shift and Ctrl held or not, as the thread's key state
// shows them to GetKeyState.
inline void Key(HWND hWnd, UINT vk, bool shift = false, bool ctrl = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageW(hWnd, WM_KEYDOWN, vk, 1);
    state[VK_SHIFT] = state[VK_CONTROL] = 0;
    SetKeyboardState(state);
}

// The date and time of the cell key "20240229133005".
inline SYSTEMTIME KeyDate() {
    SYSTEMTIME date{};
    date.wYear = 2024;
    date.wMonth = 2;
    date.wDay = 29;
    date.wHour = 13;
    date.wMinute = 30;
    date.wSecond = 5;
    return date;
}

// ---- Fixtures --------------------------------------------------------------

// Makes the list a child of a new hidden parent. Smooth scrolling is off,
// so that a scroll is done when its message returns.
template <class List>
void CreateChildList(CParentWindow& parent, List& list, const RECT& rect = RECT{0, 0, 400, 200},
                     DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0) {
    ASSERT_NE(parent.CreateHidden(), nullptr);
    ASSERT_NE(list.Create(parent.m_hWnd, rect, nullptr, style, exStyle, LIST_ID), nullptr);
    list.Options.SmoothScroll = false;
}

// The fixture of the tests of a CTestGrid 400 x 200 at its parent's
// origin. Base is ::testing::Test, or a TestWithParam for parameterised
// tests; a derived SetUp runs this one first.
template <class Base = ::testing::Test>
class GridFixture : public Base {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CreateChildList(parent, grid));
        hWnd = grid.m_hWnd;
    }
    void TearDown() override { parent.DestroyWindow(); }

    // The centre of a cell in client coordinates.
    POINT At(int row, int cell) const { return CellCentre(grid, row, cell); }

    CParentWindow parent;
    CTestGrid grid;
    HWND hWnd = nullptr;
};

// ---- Pixels --------------------------------------------------------------

// The client area as WM_PRINTCLIENT paints it, pixel by pixel.
class Capture {
public:
    explicit Capture(HWND hWnd) {
        RECT client;
        ::GetClientRect(hWnd, &client);
        width = client.right;
        height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        // Something the paint pass must cover everywhere.
        const RECT all{0, 0, width, height};
        HBRUSH marker = ::CreateSolidBrush(RGB(1, 2, 3));
        ::FillRect(dc, &all, marker);
        ::DeleteObject(marker);
        ::SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        ::GdiFlush();
        const auto* data = static_cast<const DWORD*>(bits);
        pixels.assign(data, data + width * height);
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }

    // As a COLORREF (0x00BBGGRR).
    COLORREF At(int x, int y) const {
        const DWORD p = pixels[static_cast<size_t>(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(const RECT& r, COLORREF color) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == color;
        return n;
    }
    bool Uniform(const RECT& r, COLORREF color) const {
        return Count(r, color) == (r.right - r.left) * (r.bottom - r.top);
    }
    // Pixels that are "near" a colour (each channel within tolerance).
    int CountNear(const RECT& r, COLORREF color, int tolerance) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += Near(At(x, y), color, tolerance);
        return n;
    }
    static bool Near(COLORREF a, COLORREF b, int tolerance) {
        return abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
               abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
               abs(GetBValue(a) - GetBValue(b)) <= tolerance;
    }

    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
};

}  // namespace gridtest
