#pragma once
// Shared by the drag-and-drop tests: a list in miniature that answers the
// three header hooks as the grid does (payload, drop position, column
// move), over a 20-pixel header band of columns 50, 60 and 70 wide that
// starts at its client origin.
#include <windows.h>
#include <ole2.h>

#include <vector>

#include "listctrl/ColumnDrop.h"
#include "listctrl/HeaderPayload.h"
#include "listctrl/ListColumn.h"

namespace dndtest {

constexpr int BAND = 20;

class FakeHeaderList {
public:
    HWND m_hWnd = nullptr;
    CLIPFORMAT format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"HEADERCLIPBOARDFORMAT"));
    std::vector<ListColumn> columns;
    int dragged = 0;
    int drop = -1;

    // A hidden popup at the screen point given, or shown when asked.
    explicit FakeHeaderList(int x = 100, int y = 100, bool visible = false) {
        WNDCLASSW plain{};
        plain.lpfnWndProc = ::DefWindowProcW;
        plain.hInstance = ::GetModuleHandleW(nullptr);
        plain.lpszClassName = L"VTL_FakeHeaderList";
        ::RegisterClassW(&plain);  // fails harmlessly once registered
        m_hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, plain.lpszClassName, nullptr,
                                   WS_POPUP | (visible ? WS_VISIBLE : 0), x, y, 300, 100, nullptr,
                                   nullptr, plain.hInstance, nullptr);
        for (int i = 0; i < 3; ++i) {
            ListColumn column;
            column.Width = 50 + 10 * i;
            column.Id = i;
            columns.push_back(column);
        }
    }
    ~FakeHeaderList() { ::DestroyWindow(m_hWnd); }
    FakeHeaderList(const FakeHeaderList&) = delete;
    FakeHeaderList& operator=(const FakeHeaderList&) = delete;

    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const ListColumn& column : columns) ids.push_back(column.Id);
        return ids;
    }
    POINTL Screen(int x, int y) const {
        POINT p{x, y};
        ::ClientToScreen(m_hWnd, &p);
        return POINTL{p.x, p.y};
    }

    bool RenderHeaderData(const FORMATETC& f, STGMEDIUM& medium) {
        return f.cfFormat == format && HeaderPayload::Render(m_hWnd, medium);
    }
    DWORD OnHeaderDragOver(const FORMATETC& f, const STGMEDIUM& medium, POINT point) {
        drop = -1;
        if (f.cfFormat != format || !HeaderPayload::Names(medium, m_hWnd)) return DROPEFFECT_NONE;
        int left = 0;
        for (int position = 0; position < static_cast<int>(columns.size()); ++position) {
            const int right = left + columns[position].Width;
            if (point.y >= 0 && point.y <= BAND && left < point.x && point.x < right)
                drop = ColumnDrop::DropPosition(position, left, right, point.x, dragged);
            left = right;
        }
        return drop != -1 ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    }
    bool OnHeaderDrop(const FORMATETC& f) {
        if (f.cfFormat != format) return false;
        if (drop != -1) ColumnDrop::MoveColumn(columns, dragged, drop);
        return true;
    }
};

inline FORMATETC Format(CLIPFORMAT format, DWORD tymed = TYMED_HGLOBAL,
                        DWORD aspect = DVASPECT_CONTENT) {
    return FORMATETC{format, nullptr, aspect, -1, tymed};
}

// Brings up OLE for the thread for one test.
class OleThread {
public:
    OleThread() : m_initialised(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleThread() {
        if (m_initialised) ::OleUninitialize();
    }
    bool Ready() const { return m_initialised; }

private:
    bool m_initialised;
};

}  // namespace dndtest
