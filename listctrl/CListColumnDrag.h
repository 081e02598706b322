#pragma once
#include <windows.h>

#include "listctrl/CListMouse.h"

// Reordering the columns by dragging their header cells. The header layer
// above calls BeginColumnDrag once a pressed header cell has been dragged
// more than 4 pixels; until the drag itself is built in, that only ends
// the press, so the cell neither stays pressed nor sorts on release.
template <class T>
class CListColumnDrag : public CListMouse<T> {
public:
    using Base = CListMouse<T>;
    using Base::HideTitleTip;
    using Base::RedrawHeader;

protected:
    using Base::EndPress;
    using Base::m_pressedColumn;

    void BeginColumnDrag(int /*position*/) {
        HideTitleTip(true);
        EndPress();
        m_pressedColumn = -1;
        RedrawHeader();
    }
};
