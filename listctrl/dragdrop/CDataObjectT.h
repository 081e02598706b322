#pragma once
#include "listctrl/dragdrop/CDataObject.h"

// The data object of a list's column drag: the list renders the payload.
// TList provides
//   bool RenderHeaderData(const FORMATETC& format, STGMEDIUM& medium);
template <class TList>
class CDataObjectT : public CDataObject {
public:
    explicit CDataObjectT(TList& list) : m_list(list) {}

protected:
    bool OnRenderData(const FORMATETC& format, STGMEDIUM& medium, bool) override {
        return m_list.RenderHeaderData(format, medium);
    }

private:
    TList& m_list;
};
