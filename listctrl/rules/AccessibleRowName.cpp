#include "listctrl/rules/AccessibleRowName.h"

std::wstring AccessibleRowName(const std::vector<TitledCell>& cells) {
    std::wstring name;
    for (const TitledCell& cell : cells) {
        if (cell.second.empty()) continue;
        if (!name.empty()) name += L", ";
        if (!cell.first.empty()) name += cell.first + L": ";
        name += cell.second;
    }
    return name;
}
