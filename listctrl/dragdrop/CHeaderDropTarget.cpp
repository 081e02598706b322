#include "listctrl/dragdrop/CHeaderDropTarget.h"

#include "listctrl/dragdrop/HeaderDragHandler.h"

DWORD CHeaderDropTarget::OnDragEnter(const FORMATETC& format, const STGMEDIUM& medium, DWORD,
                                     POINT point) {
    return m_handler.OnHeaderDragOver(format, medium, point);
}

DWORD CHeaderDropTarget::OnDragOver(const FORMATETC& format, const STGMEDIUM& medium, DWORD,
                                    POINT point) {
    return m_handler.OnHeaderDragOver(format, medium, point);
}

bool CHeaderDropTarget::OnDrop(const FORMATETC& format, const STGMEDIUM&, DWORD, POINT) {
    return m_handler.OnHeaderDrop(format);
}
