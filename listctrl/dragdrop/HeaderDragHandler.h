#pragma once
#include <ole2.h>

// What the data object and the drop target of a column drag ask of the
// list the drag belongs to: the payload to hand out, where a dragged
// column would go, and the move itself. The list's column drag answers.
class HeaderDragHandler {
public:
    // The payload of a column drag in the format; false when there is none.
    virtual bool RenderHeaderData(const FORMATETC& format, STGMEDIUM& medium) = 0;

    // The effect of dropping the data here at the point (client
    // coordinates), asked at drag enter and at every drag over.
    virtual DWORD OnHeaderDragOver(const FORMATETC& format, const STGMEDIUM& medium,
                                   POINT point) = 0;

    // Performs the drop; false when nothing was dropped.
    virtual bool OnHeaderDrop(const FORMATETC& format) = 0;

protected:
    ~HeaderDragHandler() = default;
};
