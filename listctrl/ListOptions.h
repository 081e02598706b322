#pragma once
#include <string>

// The switches of a list; a change takes effect at the next repaint.
struct ListOptions {
    bool ShowHeader = true;
    bool UseThemes = true;
    bool SortEnabled = true;
    bool SortAscending = true;
    int SortColumnId = -1;
    bool SingleSelect = false;
    bool CellFocus = false;
    bool DragSelectsRows = false;
    bool HorzScroll = true;
    bool VertScroll = true;
    bool SmoothScroll = true;
    bool TileBackground = false;
    // What a screen reader is told of the list besides its name; empty:
    // what the system tells.
    std::wstring Description;
};
