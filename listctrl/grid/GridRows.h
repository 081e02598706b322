#pragma once
#include <string>
#include <vector>

// What the grid asks the list that owns the rows, by row and column Id.
// CListImpl answers it by handing each question to the concrete list.
class GridRows {
public:
    virtual int RowCount() const = 0;
    virtual std::wstring CellText(int row, int columnId) const = 0;
    virtual bool SetCellText(int row, int columnId, const std::wstring& text) = 0;
    virtual int CellKind(int row, int columnId) const = 0;
    virtual unsigned CellFlags(int row, int columnId) const = 0;
    // False when the cell offers no choices.
    virtual bool CellChoices(int row, int columnId, std::vector<std::wstring>& choices) const = 0;
    virtual std::wstring CellToolTip(int row, int columnId) const = 0;
    // Reorders the rows themselves, ascending by the column's text.
    virtual void SortRowsBy(int columnId) = 0;
    virtual void ReverseRows() = 0;

protected:
    ~GridRows() = default;
};
