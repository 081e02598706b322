#include "framework/ScaledImageList.h"

#include "framework/CUniqueHandle.h"

namespace {

constexpr COLORREF TRANSPARENT_KEY = RGB(255, 0, 255);

// A 24-bit bitmap of width x height holding the source stretched; 24 bits
// whatever the display, so the transparent key keeps its exact colour.
HBITMAP StretchBitmap(HBITMAP source, const BITMAP& from, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    CBitmapHandle target(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CMemoryDCHandle sourceDC(::CreateCompatibleDC(nullptr));
    CMemoryDCHandle targetDC(::CreateCompatibleDC(nullptr));
    if (!target || !sourceDC || !targetDC) return nullptr;
    HGDIOBJ oldSource = ::SelectObject(sourceDC.Get(), source);
    HGDIOBJ oldTarget = ::SelectObject(targetDC.Get(), target.Get());
    // Nearest pixel: no blend of the images' edges with the key.
    ::SetStretchBltMode(targetDC.Get(), COLORONCOLOR);
    const BOOL stretched = ::StretchBlt(targetDC.Get(), 0, 0, width, height, sourceDC.Get(), 0, 0,
                                        from.bmWidth, from.bmHeight, SRCCOPY);
    ::SelectObject(targetDC.Get(), oldTarget);
    ::SelectObject(sourceDC.Get(), oldSource);
    return stretched ? target.Release() : nullptr;
}

}  // namespace

HIMAGELIST LoadScaledImageList(HINSTANCE resources, int bitmapId, int size) {
    CBitmapHandle source(static_cast<HBITMAP>(::LoadImageW(
        resources, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP from{};
    if (!source || size <= 0 || ::GetObjectW(source.Get(), sizeof(from), &from) == 0 ||
        from.bmHeight <= 0 || from.bmWidth < from.bmHeight)
        return nullptr;
    const int count = from.bmWidth / from.bmHeight;
    CBitmapHandle scaled(StretchBitmap(source.Get(), from, count * size, size));
    CImageListHandle images(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0));
    if (!scaled || !images ||
        ::ImageList_AddMasked(images.Get(), scaled.Get(), TRANSPARENT_KEY) == -1)
        return nullptr;
    return images.Release();
}
