#pragma once
#include <ole2.h>
#include <shlobj.h>

#include <vector>

#include "framework/CComReference.h"
#include "framework/CUnknownImpl.h"

// A window's drop target. At drag enter it takes the data in the first of
// its accepted formats that the data object gives; the hooks decide the
// effect and perform the drop, the drop rule (keys against the effects on
// offer) has the last word. The system's drag-image helper, when there is
// one, draws the picture the source gave.
class CDropTarget : public CUnknownImpl<IDropTarget, IID_IDropTarget> {
public:
    explicit CDropTarget(HWND target);

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

    // Accepts a format given in a global memory block.
    void AddFormat(CLIPFORMAT format);

    // The window is going away: from now on every drag is refused and the
    // hooks are no longer called, though the system may still hold us.
    void ForgetWindow();

protected:
    ~CDropTarget() override;

    // The effect for the current data at a point in the window's client
    // coordinates; the drop rule then settles it.
    virtual DWORD OnDragEnter(const FORMATETC& format, const STGMEDIUM& medium, DWORD keyState,
                              POINT point);
    virtual DWORD OnDragOver(const FORMATETC& format, const STGMEDIUM& medium, DWORD keyState,
                             POINT point);
    // Performs the drop with freshly obtained data; false when nothing was dropped.
    virtual bool OnDrop(const FORMATETC& format, const STGMEDIUM& medium, DWORD effect,
                        POINT point);
    virtual void OnDragLeave();

private:
    bool TakeData(IDataObject* data);
    void ForgetDrag();
    POINT ClientPoint(POINTL point) const;
    DWORD Settle(DWORD keyState, DWORD effect) const;

    HWND m_hWnd;
    CComReference<IDropTargetHelper> m_helper;
    std::vector<FORMATETC> m_accepted;
    // The current drag: the format that matched and the data obtained for it.
    bool m_hasData = false;
    FORMATETC m_format{};
    STGMEDIUM m_medium{};
};
