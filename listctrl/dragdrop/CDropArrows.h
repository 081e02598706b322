#pragma once
#include <windows.h>

#include "framework/CUniqueHandle.h"
#include "framework/CWindowImpl.h"
#include "listctrl/rules/DpiScale.h"

// Two red arrows, above and below the header band (or left and right of a
// vertical band), marking where a dragged column would land. The window is
// shaped to the arrows by a region; its background is solid red.
class CDropArrows : public CWindowImpl<CDropArrows> {
public:
    DECLARE_WND_CLASS_EX(L"DropArrows", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, COLOR_WINDOW)

    BEGIN_MSG_MAP(CDropArrows)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBkgnd)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    // Arrows for a band bandSize pixels thick, owned by the list, hidden;
    // drawn at the list's DPI.
    bool Create(HWND hWndList, int bandSize, bool vertical);
    // Points the arrows at x on the band centred at y (screen coordinates).
    void Show(int x, int y);

    int Length() const { return m_length; }

private:
    LRESULT OnEraseBkgnd(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    bool ShapeWindow();
    int Thickness() const { return m_scale.Scale(12); }

    CBrushHandle m_brush;
    bool m_vertical = true;
    int m_length = 0;
    DpiScale m_scale;
};
