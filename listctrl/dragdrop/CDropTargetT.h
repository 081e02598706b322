#pragma once
#include "listctrl/dragdrop/CDropTarget.h"

// The drop target of a list's header band: drag enter and drag over both
// ask the list where the column would go, the drop asks it to move the
// column. TList provides its window (m_hWnd) and
//   DWORD OnHeaderDragOver(const FORMATETC& format, const STGMEDIUM& medium, POINT point);
//   bool OnHeaderDrop(const FORMATETC& format);
template <class TList>
class CDropTargetT : public CDropTarget {
public:
    explicit CDropTargetT(TList& list) : CDropTarget(list.m_hWnd), m_list(list) {}

protected:
    DWORD OnDragEnter(const FORMATETC& format, const STGMEDIUM& medium, DWORD,
                      POINT point) override {
        return m_list.OnHeaderDragOver(format, medium, point);
    }
    DWORD OnDragOver(const FORMATETC& format, const STGMEDIUM& medium, DWORD,
                     POINT point) override {
        return m_list.OnHeaderDragOver(format, medium, point);
    }
    bool OnDrop(const FORMATETC& format, const STGMEDIUM&, DWORD, POINT) override {
        return m_list.OnHeaderDrop(format);
    }

private:
    TList& m_list;
};
