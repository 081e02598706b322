#include "sheet/PageValues.h"

#include "prefs/PreferenceSet.h"
#include "sheet/ChoiceTable.h"

void PageValues::CopyIfFound(const PreferenceSet& prefs, const wchar_t* key, std::wstring& value) {
    const int position = prefs.FindKey(key);
    if (position >= 0) value = prefs.ValueAt(position);
}

void PageValues::TakeChoice(const ChoiceTable& choices, int position, std::wstring& value) {
    if (const wchar_t* pValue = choices.ValueAt(position)) value = pValue;
}
