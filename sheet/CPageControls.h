#pragma once
#include <windows.h>

#include <string>

#include "sheet/ChoiceTable.h"

// The few things the options pages do with their controls, done the same
// way on every page.
class CPageControls {
public:
    // A control's text; at most 4095 characters are taken.
    static std::wstring ReadText(HWND hWnd);
    static void WriteText(HWND hWnd, const std::wstring& text);

    // Adds the table's texts to a drop-down list, in table order.
    static void FillCombo(HWND hCombo, const ChoiceTable& choices);
    // The selected position of a drop-down list, -1 for none.
    static int SelectedPosition(HWND hCombo);
    // Selects a position; -1 leaves the selection as it is.
    static void SelectPosition(HWND hCombo, int position);

    // Checks the radio at a position of the group and clears the others;
    // -1 leaves every radio of the group cleared (Tab then stops at the
    // first).
    static void CheckRadio(const HWND* radios, int count, int position);
    // The position of the first checked radio of the group, -1 for none.
    static int CheckedRadio(const HWND* radios, int count);

    static void Enable(HWND hWnd, bool enable);

private:
    static constexpr int kTextBufferSize = 4096;
};
