#include "sheet/CPageControls.h"

#include <vector>

std::wstring CPageControls::ReadText(HWND hWnd) {
    std::vector<wchar_t> buffer(kTextBufferSize, L'\0');
    const int length = ::GetWindowTextW(hWnd, buffer.data(), kTextBufferSize);
    return std::wstring(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

void CPageControls::WriteText(HWND hWnd, const std::wstring& text) {
    ::SetWindowTextW(hWnd, text.c_str());
}

void CPageControls::FillCombo(HWND hCombo, const ChoiceTable& choices) {
    for (int i = 0; i < choices.Count(); ++i)
        ::SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choices.At(i)->Text));
}

int CPageControls::SelectedPosition(HWND hCombo) {
    const LRESULT selection = ::SendMessageW(hCombo, CB_GETCURSEL, 0, 0);
    return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

void CPageControls::SelectPosition(HWND hCombo, int position) {
    if (position >= 0) ::SendMessageW(hCombo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

// Checking a radio moves the group's tab stop to it, and clearing one takes
// its tab stop away: with none checked the first radio keeps one, so that
// Tab still reaches the group.
void CPageControls::CheckRadio(const HWND* radios, int count, int position) {
    for (int i = 0; i < count; ++i)
        ::SendMessageW(radios[i], BM_SETCHECK, i == position ? BST_CHECKED : BST_UNCHECKED, 0);
    if (count > 0 && (position < 0 || position >= count))
        ::SetWindowLongPtrW(radios[0], GWL_STYLE,
                            ::GetWindowLongPtrW(radios[0], GWL_STYLE) | WS_TABSTOP);
}

int CPageControls::CheckedRadio(const HWND* radios, int count) {
    for (int i = 0; i < count; ++i)
        if (::SendMessageW(radios[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
    return -1;
}

void CPageControls::Enable(HWND hWnd, bool enable) { ::EnableWindow(hWnd, enable ? TRUE : FALSE); }
