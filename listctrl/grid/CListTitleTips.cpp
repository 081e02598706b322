#include "listctrl/grid/CListTitleTips.h"

#include "framework/CBaseModule.h"
#include "listctrl/rules/ColumnDrop.h"

bool CListTitleTips::CreateToolTip(HWND list) {
    m_list = list;
    if (m_toolTip != nullptr) ::DestroyWindow(m_toolTip);
    m_toolTip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, 0, 0, 0, 0, list, nullptr,
                                  CBaseModule::Get().GetModuleInstance(), nullptr);
    if (m_toolTip == nullptr) return false;
    ::SendMessageW(m_toolTip, TTM_SETMAXTIPWIDTH, 0, 0x7FFF);
    return true;
}

bool CListTitleTips::CreateTitleTip(HWND list, bool themed) {
    m_titleTip.DestroyWindow();
    return m_titleTip.Create(list, themed);
}

void CListTitleTips::Destroy() {
    m_titleTip.DestroyWindow();
    if (m_toolTip != nullptr) ::DestroyWindow(m_toolTip);
    m_toolTip = nullptr;
}

bool CListTitleTips::Show(int row, int cell, const RECT& textRect, const std::wstring& text,
                          const std::wstring& toolTipText) {
    if (text.empty() || !m_titleTip.Show(textRect, text, toolTipText)) {
        Hide(true);
        return false;
    }
    m_row = row;
    m_cell = cell;
    return true;
}

void CListTitleTips::Hide(bool forget) {
    if (forget) m_row = m_cell = -1;
    m_titleTip.Hide();
}

void CListTitleTips::FollowMovedColumn(int from, int to) {
    m_cell = ColumnDrop::PositionAfterMove(m_cell, from, to);
}

void CListTitleTips::Relay(const MSG& message) {
    if (m_toolTip != nullptr)
        ::SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void CListTitleTips::SetCellToolTip(const RECT& rowRect, std::wstring text) {
    RemoveCellToolTip();
    if (m_toolTip == nullptr || text.empty()) return;
    if (text.size() > 0x7FFF) text.resize(0x7FFF);
    TOOLINFOW tool = CellTool();
    tool.rect = rowRect;
    tool.lpszText = &text[0];
    ::SendMessageW(m_toolTip, TTM_ACTIVATE, TRUE, 0);
    ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CListTitleTips::RemoveCellToolTip() {
    if (m_toolTip == nullptr) return;
    TOOLINFOW tool = CellTool();
    ::SendMessageW(m_toolTip, TTM_ACTIVATE, FALSE, 0);
    ::SendMessageW(m_toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

TOOLINFOW CListTitleTips::CellTool() const {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = m_list;
    tool.uId = TOOL_CELL;
    return tool;
}
