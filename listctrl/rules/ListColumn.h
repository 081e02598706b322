#pragma once
#include <string>
#include <vector>

#include "listctrl/rules/DpiScale.h"
#include "listctrl/ListConstants.h"

// One column of the list, kept in display order. Cells are addressed by Id,
// which is fixed when the column is added and survives reordering.
struct ListColumn {
    std::wstring Title;
    int Width = 0;
    int Fixed = 0;
    int Kind = CELL_PLAIN;
    unsigned Flags = 0;
    int Image = -1;
    int Id = 0;
    std::vector<std::wstring> Choices;

    // Applied once when the column is added: an image-only header is
    // centred and sized to its image (and a margin at the list's DPI), then
    // contradictory flags are dropped.
    void Normalize(int imageWidth, const DpiScale& scale = DpiScale());

    static unsigned NormalizeFlags(unsigned flags);
};
