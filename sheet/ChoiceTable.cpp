#include "sheet/ChoiceTable.h"

const Choice* ChoiceTable::At(int position) const {
    if (position < 0 || position >= m_count) return nullptr;
    return &m_choices[position];
}

const wchar_t* ChoiceTable::ValueAt(int position) const {
    const Choice* pChoice = At(position);
    return pChoice != nullptr ? pChoice->Value : nullptr;
}

int ChoiceTable::PositionOf(const std::wstring& value) const {
    for (int i = 0; i < m_count; ++i)
        if (value == m_choices[i].Value) return i;
    return -1;
}
