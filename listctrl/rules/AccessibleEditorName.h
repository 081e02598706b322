#pragma once
#include <string>

// The name a screen reader speaks for an in-place editor: the cell's
// column title and its row, counted from 1 in display order as the grid's
// rows are ("Header, row 2"); "Row 2" under a column without a title.
std::wstring AccessibleEditorName(const std::wstring& columnTitle, int row);
