#pragma once
#include <string>
#include <utility>
#include <vector>

// The name a screen reader speaks for a grid row: each cell that shows
// text as "Title: text", in display order, joined by ", "
// ("Header: Accept, Value: text/turtle"). A cell without text is left
// out; a column without a title gives its text alone.
using TitledCell = std::pair<std::wstring, std::wstring>;  // column title, cell text
std::wstring AccessibleRowName(const std::vector<TitledCell>& cells);
