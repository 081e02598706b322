#include "listctrl/rules/UserDataOrder.h"

#include <algorithm>
#include <new>
#include <string>
#include <string_view>

namespace {

// A row's key text, looked at where it lies, and where the row stands.
struct RowKey {
    std::wstring_view Text;
    size_t Row;
};

// Moves each row once to its place: position p receives the row that
// keys[p] names (used up along the way).
void MoveRowsTo(std::vector<RowKey>& keys, std::vector<UserDataItem>& items) {
    for (size_t start = 0; start < keys.size(); ++start) {
        if (keys[start].Row == start) continue;
        UserDataItem held = std::move(items[start]);
        size_t position = start;
        while (keys[position].Row != start) {
            const size_t from = keys[position].Row;
            items[position] = std::move(items[from]);
            keys[position].Row = position;
            position = from;
        }
        items[position] = std::move(held);
        keys[position].Row = position;
    }
}

}  // namespace

void UserDataOrder::Sort(std::vector<UserDataItem>& items, int columnId) {
    std::wstring UserDataItem::*key = nullptr;
    if (columnId == 0) key = &UserDataItem::Name;
    if (columnId == 1) key = &UserDataItem::Value;
    if (key == nullptr) return;
    // Texts compare their code units as numbers, which is ordinal order.
    // The small keys are sorted rather than the rows, and the rows then
    // moved once each; no text is copied either way.
    std::vector<RowKey> keys;
    try {
        keys.reserve(items.size());
    } catch (const std::bad_alloc&) {
        // No room for the keys: sort the rows themselves.
        std::sort(items.begin(), items.end(), [key](const UserDataItem& a, const UserDataItem& b) {
            return a.*key < b.*key;
        });
        return;
    }
    for (size_t row = 0; row < items.size(); ++row) keys.push_back({items[row].*key, row});
    std::sort(keys.begin(), keys.end(),
              [](const RowKey& a, const RowKey& b) { return a.Text < b.Text; });
    MoveRowsTo(keys, items);
}

void UserDataOrder::Reverse(std::vector<UserDataItem>& items) {
    std::reverse(items.begin(), items.end());
}
