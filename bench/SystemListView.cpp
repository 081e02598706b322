#include "bench/SystemListView.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cwchar>

namespace {

struct SortContext {
    HWND ListView;
    const std::vector<std::wstring>* Texts;
    int Direction;
};

// The "Header" text of a row into a buffer of 256; its length.
int HeaderText(HWND listView, WPARAM row, wchar_t* text) {
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 256;
    return static_cast<int>(
        ::SendMessageW(listView, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
}

int CALLBACK CompareHeaderTexts(LPARAM first, LPARAM second, LPARAM context) {
    const auto* sort = reinterpret_cast<const SortContext*>(context);
    wchar_t a[256], b[256];
    HeaderText(sort->ListView, static_cast<WPARAM>(first), a);
    HeaderText(sort->ListView, static_cast<WPARAM>(second), b);
    return sort->Direction * std::wcscmp(a, b);
}

int CALLBACK CompareItemTexts(LPARAM first, LPARAM second, LPARAM context) {
    const auto* sort = reinterpret_cast<const SortContext*>(context);
    const std::vector<std::wstring>& texts = *sort->Texts;
    return sort->Direction * texts[static_cast<size_t>(first)].compare(texts[static_cast<size_t>(second)]);
}

int CALLBACK CompareItemData(LPARAM first, LPARAM second, LPARAM) {
    return first < second ? -1 : first > second ? 1 : 0;
}

}  // namespace

SystemListView::SystemListView(HWND parent, const RECT& rect, bool themed) {
    m_hWnd = ::CreateWindowExW(0, WC_LISTVIEWW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT,
                               rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(239),
                               ::GetModuleHandleW(nullptr), nullptr);
    m_header = ListView_GetHeader(m_hWnd);
    AddColumn(0, L"Header", 145);
    AddColumn(1, L"Value", 195);
    if (!themed) {
        ::SetWindowTheme(m_hWnd, L"", L"");
        ::SetWindowTheme(m_header, L"", L"");
    }
}

SystemListView::~SystemListView() { ::DestroyWindow(m_hWnd); }

void SystemListView::AddColumn(int index, const wchar_t* title, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(title);
    column.cx = width;
    column.iSubItem = index;
    ::SendMessageW(m_hWnd, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void SystemListView::AddRows(const std::vector<std::wstring>& names,
                             const std::vector<std::wstring>& values, int count) {
    const int first = static_cast<int>(::SendMessageW(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
    for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = first + static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(names[i].c_str());
        item.lParam = static_cast<LPARAM>(i);
        const LRESULT row =
            ::SendMessageW(m_hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.mask = LVIF_TEXT;
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(values[i].c_str());
        ::SendMessageW(m_hWnd, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
}

void SystemListView::SortByHeaderTexts(bool ascending) {
    SortContext context{m_hWnd, nullptr, ascending ? 1 : -1};
    ::SendMessageW(m_hWnd, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&context),
                   reinterpret_cast<LPARAM>(&CompareHeaderTexts));
}

void SystemListView::SortByItemTexts(const std::vector<std::wstring>& texts, bool ascending) {
    SortContext context{m_hWnd, &texts, ascending ? 1 : -1};
    ::SendMessageW(m_hWnd, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context),
                   reinterpret_cast<LPARAM>(&CompareItemTexts));
}

void SystemListView::RestoreOrder() {
    ::SendMessageW(m_hWnd, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareItemData));
}

bool SystemListView::IsDescending() const {
    const int count = static_cast<int>(::SendMessageW(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
    wchar_t previous[256], text[256];
    for (int row = 0; row < count; ++row) {
        HeaderText(m_hWnd, static_cast<WPARAM>(row), text);
        if (row > 0 && std::wcscmp(previous, text) < 0) return false;
        std::wcscpy(previous, text);
    }
    return true;
}

void SystemListView::PaintFrame(HDC hdc) const {
    ::SendMessageW(m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc),
                   PRF_CLIENT | PRF_ERASEBKGND);
    RECT header;
    ::GetWindowRect(m_header, &header);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&header), 2);
    POINT origin;
    ::OffsetViewportOrgEx(hdc, header.left, header.top, &origin);
    ::SendMessageW(m_header, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
    ::SetViewportOrgEx(hdc, origin.x, origin.y, nullptr);
}
