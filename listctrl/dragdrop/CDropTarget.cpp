#include "listctrl/dragdrop/CDropTarget.h"

#include "listctrl/rules/DropRule.h"

static_assert(DropRule::EffectCopy == DROPEFFECT_COPY && DropRule::EffectMove == DROPEFFECT_MOVE &&
                  DropRule::EffectLink == DROPEFFECT_LINK && DropRule::EffectNone == DROPEFFECT_NONE,
              "the drop rule speaks in drop effects");
static_assert(DropRule::KeyShift == MK_SHIFT && DropRule::KeyControl == MK_CONTROL,
              "the drop rule reads the key state of mouse messages");

CDropTarget::CDropTarget(HWND target) : m_hWnd(target) {
    IDropTargetHelper* helper = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IDropTargetHelper, reinterpret_cast<void**>(&helper))))
        m_helper.Reset(helper);
}

CDropTarget::~CDropTarget() { ForgetDrag(); }

void CDropTarget::AddFormat(CLIPFORMAT format) {
    m_accepted.push_back(FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
}

void CDropTarget::ForgetWindow() {
    ForgetDrag();
    m_helper.Reset();
    m_hWnd = nullptr;
}

DWORD CDropTarget::OnDragEnter(const FORMATETC&, const STGMEDIUM&, DWORD, POINT) { return 0; }
DWORD CDropTarget::OnDragOver(const FORMATETC&, const STGMEDIUM&, DWORD, POINT) { return 0; }
bool CDropTarget::OnDrop(const FORMATETC&, const STGMEDIUM&, DWORD, POINT) { return false; }
void CDropTarget::OnDragLeave() {}

STDMETHODIMP CDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                    DWORD* effect) {
    if (data == nullptr || effect == nullptr) return E_INVALIDARG;
    POINT screen{point.x, point.y};
    if (m_helper) m_helper.Get()->DragEnter(m_hWnd, data, &screen, *effect);
    ForgetDrag();
    if (TakeData(data)) *effect = OnDragEnter(m_format, m_medium, keyState, ClientPoint(point));
    *effect = Settle(keyState, *effect);
    return S_OK;
}

STDMETHODIMP CDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    POINT screen{point.x, point.y};
    if (m_helper) m_helper.Get()->DragOver(&screen, *effect);
    if (m_hasData) *effect = OnDragOver(m_format, m_medium, keyState, ClientPoint(point));
    *effect = Settle(keyState, *effect);
    return S_OK;
}

STDMETHODIMP CDropTarget::DragLeave() {
    if (m_helper) m_helper.Get()->DragLeave();
    if (m_hWnd != nullptr) OnDragLeave();
    ForgetDrag();
    return S_OK;
}

STDMETHODIMP CDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
    if (data == nullptr || effect == nullptr) return E_INVALIDARG;
    POINT screen{point.x, point.y};
    if (m_helper) m_helper.Get()->Drop(data, &screen, *effect);
    // Whatever is not dropped is reported as no effect, so the source
    // never takes a refused drop for a move.
    DWORD dropped = DROPEFFECT_NONE;
    const DWORD granted = Settle(keyState, *effect);
    STGMEDIUM medium{};
    if (granted != DROPEFFECT_NONE && SUCCEEDED(data->GetData(&m_format, &medium))) {
        if (OnDrop(m_format, medium, granted, ClientPoint(point))) dropped = granted;
        ::ReleaseStgMedium(&medium);
    }
    *effect = dropped;
    ForgetDrag();
    return S_OK;
}

bool CDropTarget::TakeData(IDataObject* data) {
    if (m_hWnd == nullptr) return false;
    for (FORMATETC& format : m_accepted) {
        if (SUCCEEDED(data->GetData(&format, &m_medium))) {
            m_format = format;
            m_hasData = true;
            return true;
        }
    }
    return false;
}

void CDropTarget::ForgetDrag() {
    if (m_hasData) ::ReleaseStgMedium(&m_medium);
    m_medium = STGMEDIUM{};
    m_hasData = false;
}

POINT CDropTarget::ClientPoint(POINTL point) const {
    POINT client{point.x, point.y};
    ::ScreenToClient(m_hWnd, &client);
    return client;
}

DWORD CDropTarget::Settle(DWORD keyState, DWORD effect) const {
    return DropRule::Settle(m_hasData, keyState, effect);
}
