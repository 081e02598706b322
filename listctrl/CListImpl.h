#pragma once
#include <string>
#include <vector>

#include "framework/CWindowImpl.h"
#include "listctrl/grid/CListWindow.h"

// The grid as a list of T's rows: T declares the window class and owns the
// rows; this adapter hands the grid's row-and-cell questions to it. T answers
//   int GetItemCount() const;
//   std::wstring GetItemText(int row, int columnId) const;
//   bool SetItemText(int row, int columnId, const std::wstring& text);
//   int GetCellKind(int row, int columnId) const;
//   unsigned GetCellFlags(int row, int columnId) const;
//   bool GetCellChoices(int row, int columnId, std::vector<std::wstring>&) const;
//   std::wstring GetCellToolTip(int row, int columnId) const;
//   void SortRows(int columnId);   // ascending by that column
//   void ReverseItemOrder();
// and may replace Initialize() (the set-up run when its window is created).
template <class T>
class CListImpl : public CWindowImpl<T, CListWindow> {
private:
    const T& Self() const { return static_cast<const T&>(*this); }
    T& Self() { return static_cast<T&>(*this); }

    int RowCount() const override { return Self().GetItemCount(); }
    std::wstring CellText(int row, int columnId) const override {
        return Self().GetItemText(row, columnId);
    }
    bool SetCellText(int row, int columnId, const std::wstring& text) override {
        return Self().SetItemText(row, columnId, text);
    }
    int CellKind(int row, int columnId) const override { return Self().GetCellKind(row, columnId); }
    unsigned CellFlags(int row, int columnId) const override {
        return Self().GetCellFlags(row, columnId);
    }
    bool CellChoices(int row, int columnId, std::vector<std::wstring>& choices) const override {
        return Self().GetCellChoices(row, columnId, choices);
    }
    std::wstring CellToolTip(int row, int columnId) const override {
        return Self().GetCellToolTip(row, columnId);
    }
    void SortRowsBy(int columnId) override { Self().SortRows(columnId); }
    void ReverseRows() override { Self().ReverseItemOrder(); }
};
