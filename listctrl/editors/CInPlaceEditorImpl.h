#pragma once
#include <windows.h>

#include <string>

#include "framework/CAccessibleName.h"
#include "framework/CUniqueHandle.h"
#include "framework/CWindowImpl.h"
#include "listctrl/ListConstants.h"
#include "listctrl/NMGRIDCELL.h"
#include "listctrl/rules/NumericFilter.h"
#include "framework/SystemMessageFont.h"

// What the list's in-place editors share: the cell being edited, the key
// that ended the edit, the editor's font, the exit keys, the numeric filter
// and the report of the result to the list (GLN_ENDEDIT). T is the editor,
// a superclass of a system control; an editor that filters characters
// gives this class GetEditSelection(int&, int&) and SetEditSelection(int, int).
template <class T>
class CInPlaceEditorImpl : public CWindowImpl<T> {
public:
    CInPlaceEditorImpl() = default;

    // An editor object that goes while its window is still there takes the
    // window along, unreported, so that the window never outlives its font.
    ~CInPlaceEditorImpl() override {
        if (this->IsWindow()) ::DestroyWindow(this->UnsubclassWindow());
    }

    HFONT GetFont() const { return m_font.Get(); }

    // The name screen readers speak for the editor windows opened from now
    // on (AccessibleEditorName of the cell).
    void SetAccessibleName(const std::wstring& name) { m_spokenName.SetName(name); }

protected:
    // The start of every edit: the previous window goes first (so that an
    // edit still open reports its own cell), then the cell is taken and a
    // fresh font made from the system message font. False without a font.
    bool BeginEdit(int item, int subItem, unsigned flags) {
        this->DestroyWindow();
        m_item = item;
        m_subItem = subItem;
        m_flags = flags;
        m_exitKey = 0;
        m_font.Reset();
        LOGFONTW font;
        if (!GetSystemMessageFont(font)) return false;
        m_font.Reset(::CreateFontIndirectW(&font));
        return static_cast<bool>(m_font);
    }

    // A hidden child of the list without a control id.
    bool CreateEditor(HWND hWndList, const RECT& rect, DWORD style) {
        if (this->Create(hWndList, rect, nullptr, style) == nullptr) return false;
        m_spokenName.Attach(this->m_hWnd);
        return true;
    }

    const std::wstring& SpokenName() const { return m_spokenName.Name(); }

    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTALLKEYS; }

    // Tab, Enter and Escape end the edit: the key is kept and the focus goes
    // to the list, whereupon the loss of focus reports the result.
    LRESULT OnExitKey(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
        if (wParam != VK_TAB && wParam != VK_RETURN && wParam != VK_ESCAPE) {
            bHandled = FALSE;
            return 0;
        }
        m_exitKey = static_cast<WORD>(wParam);
        ::SetFocus(::GetParent(this->m_hWnd));
        return 0;
    }

    // Lets a typed character on to the control only when the cell may take it.
    LRESULT OnFilterChar(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
        bHandled = FilterChar(static_cast<wchar_t>(wParam)) ? FALSE : TRUE;
        return 0;
    }

    bool FilterChar(wchar_t ch) {
        if (!NumericFilter::Judges(m_flags, ch)) return true;
        int start = -1, end = -1;
        Self().GetEditSelection(start, end);
        const NumericFilter::Result result =
            NumericFilter::Filter(m_flags, ch, WindowText(), start, end);
        if (result.Replace) {
            ::SetWindowTextW(this->m_hWnd, result.Text.c_str());
            Self().SetEditSelection(result.SelectionStart, result.SelectionEnd);
        }
        return result.Accept;
    }

    // Reports the result to the list, if there still is one, and hides the
    // editor; the window stays until the next edit.
    void FinishEdit(std::wstring text, SYSTEMTIME* date) {
        HWND hWnd = this->m_hWnd;
        HWND hWndList = ::GetParent(hWnd);
        if (hWndList != nullptr && ::IsWindow(hWndList)) {
            NMGRIDCELL cell{};
            cell.hdr.hwndFrom = hWnd;
            cell.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(hWnd));
            cell.hdr.code = static_cast<UINT>(GLN_ENDEDIT);
            cell.Item = m_item;
            cell.SubItem = m_subItem;
            cell.ExitKey = m_exitKey;
            cell.Text = &text[0];
            cell.Date = date;
            ::SendMessageW(hWndList, WM_NOTIFY, cell.hdr.idFrom, reinterpret_cast<LPARAM>(&cell));
        }
        ::ShowWindow(hWnd, SW_HIDE);
    }

    // The whole text of the window, however long.
    std::wstring WindowText() const {
        std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(this->m_hWnd)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            ::GetWindowTextW(this->m_hWnd, &text[0], static_cast<int>(text.size()))));
        return text;
    }

    int m_item = -1;
    int m_subItem = -1;
    unsigned m_flags = 0;
    WORD m_exitKey = 0;

private:
    T& Self() { return *static_cast<T*>(this); }

    CFontHandle m_font;
    CAccessibleName m_spokenName;
};

// Names whichever of the editors opens next after the cell it edits.
template <class... Editors>
void NameCellEditors(const std::wstring& name, Editors&... editors) {
    (editors.SetAccessibleName(name), ...);
}
