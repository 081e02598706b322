#include "listctrl/dragdrop/CHeaderDataObject.h"

#include "listctrl/dragdrop/HeaderDragHandler.h"

bool CHeaderDataObject::OnRenderData(const FORMATETC& format, STGMEDIUM& medium, bool) {
    return m_handler.RenderHeaderData(format, medium);
}
