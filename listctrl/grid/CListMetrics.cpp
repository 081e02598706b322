#include "listctrl/grid/CListMetrics.h"

#include <cwchar>

#include "framework/CBaseModule.h"
#include "framework/ScaledImageList.h"
#include "listctrl/ListResources.h"

int CListMetrics::ImageWidth() const {
    int width = Scale(IMAGE_SIZE), height = width;
    if (m_images) ::ImageList_GetIconSize(m_images.Get(), &width, &height);
    return width;
}

bool CListMetrics::MeasureText(const wchar_t* text, SIZE& extent) const {
    HDC hdc = ::GetDC(m_hWnd);
    if (hdc == nullptr) return false;
    HGDIOBJ old = ::SelectObject(hdc, m_font.Get());
    const BOOL measured =
        ::GetTextExtentPoint32W(hdc, text, static_cast<int>(std::wcslen(text)), &extent);
    ::SelectObject(hdc, old);
    ::ReleaseDC(m_hWnd, hdc);
    return measured != FALSE;
}

bool CListMetrics::LoadScaledResources() {
    const HINSTANCE resources = CBaseModule::Get().GetResourceInstance();
    CImageListHandle images(LoadScaledImageList(resources, IDB_LIST_IMAGES, Scale(IMAGE_SIZE)));
    CCursorHandle divider(LoadScaledCursor(resources, IDC_LIST_DIVIDER));
    CCursorHandle link(LoadScaledCursor(resources, IDC_LIST_LINK));
    if (!images || !divider || !link) return false;
    m_images = std::move(images);
    m_dividerCursor = std::move(divider);
    m_linkCursor = std::move(link);
    return true;
}

HCURSOR CListMetrics::LoadScaledCursor(HINSTANCE resources, int id) const {
    const int size = Scale(CURSOR_SIZE);
    return static_cast<HCURSOR>(::LoadImageW(resources, MAKEINTRESOURCEW(id), IMAGE_CURSOR,
                                             size, size, LR_DEFAULTCOLOR));
}

void CListMetrics::TakeColors() {
    m_colors.Background = ::GetSysColor(COLOR_WINDOW);
    m_colors.HeaderFace = ::GetSysColor(COLOR_BTNFACE);
    m_colors.Light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_colors.Shadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_colors.HeaderText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_colors.SelectedFill = ::GetSysColor(COLOR_HIGHLIGHT);
    m_colors.SelectedText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_colors.CellText = ::GetSysColor(COLOR_WINDOWTEXT);
}
