#include "listctrl/GridTestSupport.h"

#include "listctrl/grid/CListColumnDrag.h"
#include "listctrl/grid/CListMouse.h"

namespace gridtest {

HWND CTestGrid::DropArrows() { return ColumnDrag().GetDropArrowsWindow(); }

bool CTestGrid::DragImage(int position, SHDRAGIMAGE& image) {
    return ColumnDrag().MakeDragImage(position, image);
}

void CTestGrid::SetSelectionRectangle(const RECT* rect) { Mouse().SetSelectionRectangle(rect); }

}  // namespace gridtest
