#pragma once
#include <ole2.h>

#include "listctrl/dragdrop/CDataObject.h"

class HeaderDragHandler;

// The data object of a list's column drag: the list renders the payload.
class CHeaderDataObject : public CDataObject {
public:
    explicit CHeaderDataObject(HeaderDragHandler& handler) : m_handler(handler) {}

protected:
    bool OnRenderData(const FORMATETC& format, STGMEDIUM& medium, bool dropComplete) override;

private:
    HeaderDragHandler& m_handler;
};
