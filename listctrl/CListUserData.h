#pragma once
#include <string>
#include <vector>

#include "listctrl/CListImpl.h"
#include "listctrl/UserDataItem.h"
#include "listctrl/rules/UserDataOrder.h"

// The headers list: two edit columns, "Header" (Name) and "Value" (Value),
// over an array of UserDataItem rows that the owner may also change itself.
class CListUserData : public CListImpl<CListUserData> {
public:
    DECLARE_WND_CLASS_EX(L"HdrsList", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, COLOR_WINDOW)

    // Registers "HdrsList" once per process. Until a list object takes a
    // window of this class over, the window only does default handling, so
    // a dialog can create it from its template; a list object can also
    // create one itself.
    static ATOM RegisterWindowClass();

    // Takes over a dialog's "HdrsList" control and sets the list up; false
    // when it cannot be subclassed or set up.
    bool SubclassAndSetUp(HWND hWnd);

    // Cell focus on, the two columns, then SetUp.
    bool Initialize() override;

    // The rows in display order. After removing one directly, call ItemRemoved.
    std::vector<UserDataItem>& Items() { return m_items; }
    const std::vector<UserDataItem>& Items() const { return m_items; }

    // Appends the row (taken over, not copied, from a temporary).
    int AddItem(UserDataItem item);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    std::wstring GetItemText(int row, int columnId) const;
    bool SetItemText(int row, int columnId, const std::wstring& text);

    int GetCellKind(int row, int columnId) const;
    // Every cell read-only (CELLF_READONLY), or as its column says.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    unsigned GetCellFlags(int row, int columnId) const;
    bool GetCellChoices(int row, int columnId, std::vector<std::wstring>& choices) const;
    std::wstring GetCellToolTip(int row, int columnId) const;

    // Ascending by the column's text, ordinal; reorders the row array
    // itself so the owner later reads the rows in the order shown.
    void SortRows(int columnId) { UserDataOrder::Sort(m_items, columnId); }
    void ReverseItemOrder() { UserDataOrder::Reverse(m_items); }

private:
    std::vector<UserDataItem> m_items;
    bool m_readOnly = false;
};
