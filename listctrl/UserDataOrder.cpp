#include "listctrl/UserDataOrder.h"

#include <algorithm>
#include <string>

void UserDataOrder::Sort(std::vector<UserDataItem>& items, int columnId) {
    std::wstring UserDataItem::*key = nullptr;
    if (columnId == 0) key = &UserDataItem::Name;
    if (columnId == 1) key = &UserDataItem::Value;
    if (key == nullptr) return;
    // std::wstring compares its code units as numbers, which is ordinal
    // order; the rows are moved, their texts never copied.
    std::sort(items.begin(), items.end(), [key](const UserDataItem& a, const UserDataItem& b) {
        return a.*key < b.*key;
    });
}

void UserDataOrder::Reverse(std::vector<UserDataItem>& items) {
    std::reverse(items.begin(), items.end());
}
