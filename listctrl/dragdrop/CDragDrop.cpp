#include "listctrl/dragdrop/CDragDrop.h"

#include <new>

#include "listctrl/dragdrop/CHeaderDataObject.h"
#include "listctrl/dragdrop/CHeaderDropTarget.h"

CDragDrop::~CDragDrop() {
    Revoke();
    // Someone may hold the data object past the list's life.
    if (m_dataObject) m_dataObject.Get()->StopRendering();
}

bool CDragDrop::Register(HWND list, HeaderDragHandler& handler, bool asSource) {
    if (!RegisterTarget(list, new (std::nothrow) CHeaderDropTarget(list, handler))) return false;
    if (asSource) MakeSource(new (std::nothrow) CHeaderDataObject(handler));
    return true;
}

bool CDragDrop::RegisterTarget(HWND hWnd, CDropTarget* target) {
    Revoke();
    if (target == nullptr) return false;
    target->AddRef();
    CComReference<CDropTarget> held(target);
    if (FAILED(::RegisterDragDrop(hWnd, target))) {
        target->ForgetWindow();
        return false;
    }
    m_hWnd = hWnd;
    m_target = std::move(held);
    return true;
}

void CDragDrop::MakeSource(CDataObject* dataObject) {
    if (dataObject == nullptr) return;
    dataObject->AddRef();
    m_dataObject.Reset(dataObject);
    if (CDropSource* source = new (std::nothrow) CDropSource) {
        source->AddRef();
        m_source.Reset(source);
    }
}

void CDragDrop::Revoke() {
    if (!m_target) return;
    m_target.Get()->ForgetWindow();
    ::RevokeDragDrop(m_hWnd);
    m_target.Reset();
    m_hWnd = nullptr;
}

bool CDragDrop::AddTargetFormat(CLIPFORMAT format) {
    if (!m_target) return false;
    m_target.Get()->AddFormat(format);
    return true;
}

bool CDragDrop::AddSourceFormat(CLIPFORMAT format) {
    if (!m_dataObject) return false;
    FORMATETC offered{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM rendered{};  // TYMED_NULL: made at every request
    return SUCCEEDED(m_dataObject.Get()->SetData(&offered, &rendered, TRUE));
}

DWORD CDragDrop::RunDrag(SHDRAGIMAGE* image, DWORD allowedEffects) {
    CComReference<IDragSourceHelper> helper;
    if (image != nullptr) ShowImage(*image, helper);
    DWORD effect = DROPEFFECT_NONE;
    if (m_dataObject && m_source)
        ::DoDragDrop(m_dataObject.Get(), m_source.Get(), allowedEffects, &effect);
    return effect;
}

void CDragDrop::ShowImage(SHDRAGIMAGE& image, CComReference<IDragSourceHelper>& helper) {
    IDragSourceHelper* made = nullptr;
    if (m_dataObject &&
        SUCCEEDED(::CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IDragSourceHelper, reinterpret_cast<void**>(&made)))) {
        helper.Reset(made);
        if (SUCCEEDED(made->InitializeFromBitmap(&image, m_dataObject.Get()))) return;
    }
    if (image.hbmpDragImage != nullptr) ::DeleteObject(image.hbmpDragImage);
}
