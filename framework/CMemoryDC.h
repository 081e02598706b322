#pragma once
#include <windows.h>

#include "framework/CUniqueHandle.h"

// An off-screen copy of a rectangle of a target DC: drawing into it uses the
// target's coordinates; CopyToTarget puts the result onto the target once.
class CMemoryDC {
public:
    CMemoryDC(HDC hdcTarget, const RECT& rect);
    ~CMemoryDC();
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    bool IsValid() const { return m_oldBitmap != nullptr; }
    HDC GetDC() const { return m_dc.Get(); }
    void CopyToTarget() const;

private:
    HDC m_hdcTarget;
    RECT m_rect;
    CMemoryDCHandle m_dc;
    CBitmapHandle m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
};
