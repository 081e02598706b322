#pragma once
#include <ole2.h>
#include <shlobj.h>

#include "framework/CComReference.h"
#include "listctrl/dragdrop/CDataObject.h"
#include "listctrl/dragdrop/CDropSource.h"
#include "listctrl/dragdrop/CDropTarget.h"

class HeaderDragHandler;

// The OLE drag and drop of one list window, which is both the drop target
// and the drag source of its column drags. The list embeds it; the caller
// must have initialised OLE on the thread.
class CDragDrop {
public:
    CDragDrop() = default;
    CDragDrop(const CDragDrop&) = delete;
    CDragDrop& operator=(const CDragDrop&) = delete;
    virtual ~CDragDrop();

    // Registers a drop target for the list's window and, when the list is
    // also a source, makes the drop source and the data object; both ask
    // the handler. False, with nothing registered, when the registration
    // fails.
    bool Register(HWND list, HeaderDragHandler& handler, bool asSource);

    // The list's window is being destroyed: revokes the target and stops
    // both objects from calling into the list.
    void Revoke();

    // The target accepts the format (in global memory); false without a target.
    bool AddTargetFormat(CLIPFORMAT format);
    // The data object offers the format, rendered on request; false without one.
    bool AddSourceFormat(CLIPFORMAT format);

    // Runs a drag of the data object until it is dropped or cancelled and
    // returns the effect the target reported (DROPEFFECT_NONE without a
    // data object). An image, when given, is shown through the system's
    // drag-image helper; its bitmap becomes RunDrag's either way (handed
    // to the helper or deleted).
    DWORD RunDrag(SHDRAGIMAGE* image, DWORD allowedEffects);

private:
    bool RegisterTarget(HWND hWnd, CDropTarget* target);
    void MakeSource(CDataObject* dataObject);
    void ShowImage(SHDRAGIMAGE& image, CComReference<IDragSourceHelper>& helper);

    HWND m_hWnd = nullptr;
    CComReference<CDropTarget> m_target;
    CComReference<CDropSource> m_source;
    CComReference<CDataObject> m_dataObject;
};
