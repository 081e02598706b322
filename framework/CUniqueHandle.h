#pragma once
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

// Sole owner of one system handle; releases it with the Closer on reset
// and destruction. Not copyable, movable.
template <class H, class Closer>
class CUniqueHandle {
public:
    CUniqueHandle() = default;
    explicit CUniqueHandle(H h) : m_h(h) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    H Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void Reset(H h = nullptr) {
        if (m_h != nullptr && m_h != h) Closer()(m_h);
        m_h = h;
    }
    H Release() {
        H h = m_h;
        m_h = nullptr;
        return h;
    }

private:
    H m_h = nullptr;
};

struct GdiObjectCloser {
    void operator()(HGDIOBJ h) const { ::DeleteObject(h); }
};
struct CursorCloser {
    void operator()(HCURSOR h) const { ::DestroyCursor(h); }
};
struct ImageListCloser {
    void operator()(HIMAGELIST h) const { ::ImageList_Destroy(h); }
};
struct ThemeCloser {
    void operator()(HTHEME h) const { ::CloseThemeData(h); }
};
struct MemoryDCCloser {
    void operator()(HDC h) const { ::DeleteDC(h); }
};

using CFontHandle = CUniqueHandle<HFONT, GdiObjectCloser>;
using CBrushHandle = CUniqueHandle<HBRUSH, GdiObjectCloser>;
using CPenHandle = CUniqueHandle<HPEN, GdiObjectCloser>;
using CBitmapHandle = CUniqueHandle<HBITMAP, GdiObjectCloser>;
using CCursorHandle = CUniqueHandle<HCURSOR, CursorCloser>;
using CImageListHandle = CUniqueHandle<HIMAGELIST, ImageListCloser>;
using CThemeHandle = CUniqueHandle<HTHEME, ThemeCloser>;
using CMemoryDCHandle = CUniqueHandle<HDC, MemoryDCCloser>;
