#include "framework/CMemoryDC.h"

CMemoryDC::CMemoryDC(HDC hdcTarget, const RECT& rect) : m_hdcTarget(hdcTarget), m_rect(rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    m_dc.Reset(::CreateCompatibleDC(hdcTarget));
    if (!m_dc) return;
    m_bitmap.Reset(::CreateCompatibleBitmap(hdcTarget, width, height));
    if (!m_bitmap) return;
    m_oldBitmap = ::SelectObject(m_dc.Get(), m_bitmap.Get());
    ::SetWindowOrgEx(m_dc.Get(), rect.left, rect.top, nullptr);
}

CMemoryDC::~CMemoryDC() {
    if (m_oldBitmap != nullptr) ::SelectObject(m_dc.Get(), m_oldBitmap);
}

void CMemoryDC::CopyToTarget() const {
    if (!IsValid()) return;
    ::BitBlt(m_hdcTarget, m_rect.left, m_rect.top, m_rect.right - m_rect.left,
             m_rect.bottom - m_rect.top, m_dc.Get(), m_rect.left, m_rect.top, SRCCOPY);
}
