#pragma once
#include <string>

class ChoiceTable;
class PreferenceSet;

// How the pages take their held values from the preference set.
class PageValues {
public:
    // Copies the value of the first pair with the key; without such a pair
    // the held value stays as it was.
    static void CopyIfFound(const PreferenceSet& prefs, const wchar_t* key, std::wstring& value);

    // Takes the value of the chosen position; with nothing chosen (or a
    // position outside the table) the held value stays as it was.
    static void TakeChoice(const ChoiceTable& choices, int position, std::wstring& value);
};
