#pragma once
#include <windows.h>
#include <uxtheme.h>

#include "framework/CMemoryDC.h"

// Off-screen painting for a window object T that draws everything in
// T::DoPaint(HDC, const RECT& clip): nothing is ever erased on screen, each
// WM_PAINT is drawn into a buffer (the system's buffered paint, or a plain
// memory DC where that is missing) and copied once. Chain it into T's map.
template <class T>
class CDoubleBufferImpl {
public:
    CDoubleBufferImpl() : m_bufferedPaint(SUCCEEDED(::BufferedPaintInit())) {}
    ~CDoubleBufferImpl() {
        if (m_bufferedPaint) ::BufferedPaintUnInit();
    }
    CDoubleBufferImpl(const CDoubleBufferImpl&) = delete;
    CDoubleBufferImpl& operator=(const CDoubleBufferImpl&) = delete;

    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM, LRESULT& lResult,
                              DWORD = 0) {
        switch (uMsg) {
        case WM_ERASEBKGND:
            lResult = 1;
            return TRUE;
        case WM_PAINT:
            lResult = OnPaint(hWnd, reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_PRINTCLIENT:
            lResult = OnPrintClient(hWnd, reinterpret_cast<HDC>(wParam));
            return TRUE;
        default:
            return FALSE;
        }
    }

private:
    T& Self() { return *static_cast<T*>(this); }

    LRESULT OnPaint(HWND hWnd, HDC hdcGiven) {
        // A caller that hands its own DC (a child painting the list behind
        // itself) gets the list drawn straight into it.
        if (hdcGiven != nullptr) {
            RECT clip;
            ::GetClipBox(hdcGiven, &clip);
            Self().DoPaint(hdcGiven, clip);
            return 0;
        }
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(hWnd, &ps);
        if (hdc != nullptr) {
            PaintBuffered(hdc, ps.rcPaint);
            ::EndPaint(hWnd, &ps);
        }
        return 0;
    }

    LRESULT OnPrintClient(HWND hWnd, HDC hdc) {
        if (hdc == nullptr) return 0;
        RECT client;
        ::GetClientRect(hWnd, &client);
        CMemoryDC memory(hdc, client);
        if (!memory.IsValid()) return 0;
        Self().DoPaint(memory.GetDC(), client);
        memory.CopyToTarget();
        return 0;
    }

    void PaintBuffered(HDC hdc, const RECT& rect) {
        if (::IsRectEmpty(&rect)) return;
        HDC hdcBuffer = nullptr;
        HPAINTBUFFER buffer =
            m_bufferedPaint
                ? ::BeginBufferedPaint(hdc, &rect, BPBF_COMPATIBLEBITMAP, nullptr, &hdcBuffer)
                : nullptr;
        if (buffer != nullptr) {
            Self().DoPaint(hdcBuffer, rect);
            ::EndBufferedPaint(buffer, TRUE);
            return;
        }
        CMemoryDC memory(hdc, rect);
        if (!memory.IsValid()) return;
        Self().DoPaint(memory.GetDC(), rect);
        memory.CopyToTarget();
    }

    bool m_bufferedPaint;
};
