#include "listctrl/CListUserData.h"

#include <utility>

ATOM CListUserData::RegisterWindowClass() { return GetWndClassInfo().Register(); }

bool CListUserData::SubclassAndSetUp(HWND hWnd) {
    if (!SubclassWindow(hWnd)) return false;
    return Initialize();
}

bool CListUserData::Initialize() {
    Options.CellFocus = true;
    Invalidate();
    // The default widths are for 96 DPI; widths a caller sets are its own.
    TakeDpi();
    AddColumn(L"Header", Scale(145), -1, false, CELL_EDIT, 0);
    AddColumn(L"Value", Scale(195), -1, false, CELL_EDIT, 0);
    return SetUp();
}

int CListUserData::AddItem(UserDataItem item) {
    m_items.push_back(std::move(item));
    RecalculateLayout();
    return GetItemCount() - 1;
}

std::wstring CListUserData::GetItemText(int row, int columnId) const {
    if (!IsRow(row)) return std::wstring();
    if (columnId == 0) return m_items[row].Name;
    if (columnId == 1) return m_items[row].Value;
    return std::wstring();
}

bool CListUserData::SetItemText(int row, int columnId, const std::wstring& text) {
    if (!IsRow(row)) return false;
    if (columnId == 0) m_items[row].Name = text;
    if (columnId == 1) m_items[row].Value = text;
    return true;
}

int CListUserData::GetCellKind(int, int columnId) const {
    const ListColumn* column = FindColumn(columnId);
    return column ? column->Kind : CELL_PLAIN;
}

unsigned CListUserData::GetCellFlags(int, int columnId) const {
    const ListColumn* column = FindColumn(columnId);
    return (column ? column->Flags : 0) | (m_readOnly ? CELLF_READONLY : 0u);
}

bool CListUserData::GetCellChoices(int, int columnId, std::vector<std::wstring>& choices) const {
    const ListColumn* column = FindColumn(columnId);
    choices = column ? column->Choices : std::vector<std::wstring>();
    return !choices.empty();
}

std::wstring CListUserData::GetCellToolTip(int, int) const { return std::wstring(); }
