#pragma once
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include "framework/CUniqueHandle.h"
#include "framework/CWindowImplBase.h"
#include "framework/WindowDpi.h"
#include "listctrl/grid/GridRows.h"
#include "listctrl/rules/DpiScale.h"

// The grid's window and what it draws with at the window's DPI: fonts,
// images, cursors, themes, colours, row and header heights. CListCore
// refreshes them (RefreshMetrics); the concerns read them.
class CListMetrics : public CWindowImplBase, protected GridRows {
public:
    int GetRowHeight() const { return m_rowHeight; }
    int GetDpi() const { return m_scale.Dpi(); }
    int GetHeaderHeight() const { return m_headerHeight; }
    int GetWheelLines() const { return m_wheelLines; }
    UINT GetHeaderClipboardFormat() const { return m_headerFormat; }
    HIMAGELIST GetImageList() const { return m_images.Get(); }
    HFONT GetFont() const { return m_font.Get(); }
    HCURSOR GetDividerCursor() const { return m_dividerCursor.Get(); }
    HCURSOR GetLinkCursor() const { return m_linkCursor.Get(); }
    COLORREF GetBackgroundColor() const { return m_colors.Background; }
    HFONT GetUnderlinedFont() const { return m_underlinedFont.Get(); }
    // Null without theming; Options.UseThemes may still turn drawing with
    // them off.
    HTHEME GetHeaderTheme() const { return m_headerTheme.Get(); }
    HTHEME GetProgressTheme() const { return m_progressTheme.Get(); }
    // Counts RefreshMetrics: a drawing kept from an older count is stale.
    unsigned GetMetricsGeneration() const { return m_metricsGeneration; }

    struct Colors {
        COLORREF Background, HeaderFace, Light, Shadow, HeaderText, SelectedFill, SelectedText,
            CellText;
    };
    const Colors& GetColors() const { return m_colors; }

    int ImageWidth() const;
    // A measure in pixels at 96 DPI, in pixels at the window's DPI.
    int Scale(int value) const { return m_scale.Scale(value); }
    // Where a header divider at this right edge can be grabbed.
    DpiScale::Zone DividerZone(int right) const { return m_scale.DividerZone(right); }
    // What the list that owns the rows answers about them, and how it
    // reorders them.
    const GridRows& Rows() const { return *this; }
    GridRows& Rows() { return *this; }

protected:
    // Sizes of the drawn images and cursors at 96 DPI.
    enum : int { IMAGE_SIZE = 16, CURSOR_SIZE = 32 };

    // Reads the window's DPI; the defaults a list sets before its set-up
    // take it from here.
    void TakeDpi() { m_scale = DpiScale(GetWindowDpi(m_hWnd)); }
    bool MeasureText(const wchar_t* text, SIZE& extent) const;
    // The images and cursors drawn at the window's DPI; the ones in use
    // stay when new ones cannot be made.
    bool LoadScaledResources();
    // Stretched from the 32x32 drawing; the hot spot moves with it.
    HCURSOR LoadScaledCursor(HINSTANCE resources, int id) const;

    void TakeColors();

    Colors m_colors{};
    int m_rowHeight = 0;
    int m_headerHeight = 0;
    UINT m_wheelLines = 3;
    unsigned m_metricsGeneration = 0;  // counts RefreshMetrics: fonts, colours, themes
    UINT m_headerFormat = 0;
    DpiScale m_scale;
    int m_scaledFor = 0;  // the DPI of the images and cursors

    CImageListHandle m_images;
    CCursorHandle m_dividerCursor;
    CCursorHandle m_linkCursor;
    CFontHandle m_font;
    CFontHandle m_underlinedFont;
    CThemeHandle m_headerTheme;
    CThemeHandle m_progressTheme;
};
