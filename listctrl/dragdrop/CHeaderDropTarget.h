#pragma once
#include <windows.h>
#include <ole2.h>

#include "listctrl/dragdrop/CDropTarget.h"

class HeaderDragHandler;

// The drop target of a list's header band: drag enter and drag over both
// ask the list where the column would go, the drop asks it to move the
// column.
class CHeaderDropTarget : public CDropTarget {
public:
    CHeaderDropTarget(HWND list, HeaderDragHandler& handler)
        : CDropTarget(list), m_handler(handler) {}

protected:
    DWORD OnDragEnter(const FORMATETC& format, const STGMEDIUM& medium, DWORD keyState,
                      POINT point) override;
    DWORD OnDragOver(const FORMATETC& format, const STGMEDIUM& medium, DWORD keyState,
                     POINT point) override;
    bool OnDrop(const FORMATETC& format, const STGMEDIUM& medium, DWORD effect,
                POINT point) override;

private:
    HeaderDragHandler& m_handler;
};
