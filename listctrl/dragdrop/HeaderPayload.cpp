#include "listctrl/dragdrop/HeaderPayload.h"

#include <cstdint>

bool HeaderPayload::Render(HWND list, STGMEDIUM& medium) {
    medium = STGMEDIUM{};
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(std::int32_t));
    if (block == nullptr) return false;
    auto* value = static_cast<std::int32_t*>(::GlobalLock(block));
    if (value == nullptr) {
        ::GlobalFree(block);
        return false;
    }
    // Window handles carry 32 significant bits on 64-bit Windows too.
    *value = HandleToLong(list);
    ::GlobalUnlock(block);
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block;
    return true;
}

bool HeaderPayload::Names(const STGMEDIUM& medium, HWND list) {
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr ||
        ::GlobalSize(medium.hGlobal) < sizeof(std::int32_t))
        return false;
    const auto* value = static_cast<const std::int32_t*>(::GlobalLock(medium.hGlobal));
    if (value == nullptr) return false;
    const bool names = LongToHandle(*value) == list;
    ::GlobalUnlock(medium.hGlobal);
    return names;
}
