#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The system ListView in report view with the grid's two columns
// ("Header" 145, "Value" 195): the grid's yardstick.
class SystemListView {
public:
    SystemListView(HWND parent, const RECT& rect, bool themed);
    ~SystemListView();
    SystemListView(const SystemListView&) = delete;
    SystemListView& operator=(const SystemListView&) = delete;

    HWND Window() const { return m_hWnd; }
    HWND Header() const { return m_header; }

    // Appends the first `count` names and values as rows; each row's item
    // data is its index in the texts, so RestoreOrder can put the rows back
    // as they were added.
    void AddRows(const std::vector<std::wstring>& names, const std::vector<std::wstring>& values,
                 int count);
    // Sorts by the "Header" texts, ascending or descending, with
    // LVM_SORTITEMSEX comparing the texts the ListView gives back by row.
    void SortByHeaderTexts(bool ascending);
    // The same with LVM_SORTITEMS comparing the texts the rows' item data
    // point at (texts as given to AddRows).
    void SortByItemTexts(const std::vector<std::wstring>& texts, bool ascending);
    // Back to the order the rows were added in.
    void RestoreOrder();
    // Whether the "Header" texts descend from the first row to the last.
    bool IsDescending() const;

    // One frame of the ListView and of its header window into hdc (client
    // coordinates of the ListView), as the screen shows them together.
    void PaintFrame(HDC hdc) const;

private:
    void AddColumn(int index, const wchar_t* title, int width);

    HWND m_hWnd = nullptr;
    HWND m_header = nullptr;
};
