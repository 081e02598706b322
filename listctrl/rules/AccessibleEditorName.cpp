#include "listctrl/rules/AccessibleEditorName.h"

std::wstring AccessibleEditorName(const std::wstring& columnTitle, int row) {
    const std::wstring number = std::to_wstring(row + 1);
    if (columnTitle.empty()) return L"Row " + number;
    return columnTitle + L", row " + number;
}
