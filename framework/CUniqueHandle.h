#pragma once
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <type_traits>

// Whether a Closer names a second "no handle" value besides null, as
// `static H Invalid()` (what CreateFile returns on failure, for instance).
template <class Closer, class = void>
struct HasInvalidHandle : std::false_type {};
template <class Closer>
struct HasInvalidHandle<Closer, std::void_t<decltype(Closer::Invalid())>> : std::true_type {};

// Sole owner of one system handle; releases it with the Closer on reset
// and destruction. Not copyable, movable. Holds null for "no handle",
// whatever value the system used to say so.
template <class H, class Closer>
class CUniqueHandle {
public:
    CUniqueHandle() = default;
    explicit CUniqueHandle(H h) : m_h(Normalized(h)) {}
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
        h = Normalized(h);
        if (m_h != nullptr && m_h != h) Closer()(m_h);
        m_h = h;
    }
    H Release() {
        H h = m_h;
        m_h = nullptr;
        return h;
    }
    // Releases the handle now; false when the Closer reports that it could
    // not (closing a file that was written reports a failed write-back).
    bool Close() {
        const H h = Release();
        if (h == nullptr) return true;
        if constexpr (std::is_void_v<decltype(Closer()(h))>) {
            Closer()(h);
            return true;
        } else {
            return Closer()(h) != 0;
        }
    }

private:
    static H Normalized(H h) {
        if constexpr (HasInvalidHandle<Closer>::value)
            return h == Closer::Invalid() ? nullptr : h;
        else
            return h;
    }

    H m_h = nullptr;
};

struct GdiObjectCloser {
    void operator()(HGDIOBJ h) const { ::DeleteObject(h); }
};
struct CursorCloser {
    void operator()(HCURSOR h) const { ::DestroyCursor(h); }
};
struct IconCloser {
    void operator()(HICON h) const { ::DestroyIcon(h); }
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
struct KernelObjectCloser {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    BOOL operator()(HANDLE h) const { return ::CloseHandle(h); }
};
struct FindCloser {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE h) const { ::FindClose(h); }
};
struct RegKeyCloser {
    void operator()(HKEY h) const { ::RegCloseKey(h); }
};

using CFontHandle = CUniqueHandle<HFONT, GdiObjectCloser>;
using CBrushHandle = CUniqueHandle<HBRUSH, GdiObjectCloser>;
using CPenHandle = CUniqueHandle<HPEN, GdiObjectCloser>;
using CBitmapHandle = CUniqueHandle<HBITMAP, GdiObjectCloser>;
using CCursorHandle = CUniqueHandle<HCURSOR, CursorCloser>;
using CIconHandle = CUniqueHandle<HICON, IconCloser>;
using CImageListHandle = CUniqueHandle<HIMAGELIST, ImageListCloser>;
using CThemeHandle = CUniqueHandle<HTHEME, ThemeCloser>;
using CMemoryDCHandle = CUniqueHandle<HDC, MemoryDCCloser>;
// Files, processes and the like: what CloseHandle closes.
using CKernelHandle = CUniqueHandle<HANDLE, KernelObjectCloser>;
// A directory search of FindFirstFile.
using CFindHandle = CUniqueHandle<HANDLE, FindCloser>;
using CRegKeyHandle = CUniqueHandle<HKEY, RegKeyCloser>;
