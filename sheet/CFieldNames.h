#pragma once
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/CAccessibleName.h"

// The names screen readers speak for a page's edit fields and combo boxes:
// the label a user reads beside each one, the static text to its left on
// the same line; a field without one is named by the frame around it.
// Found on the page as it is laid out, so the names are the visible texts.
// Controls may also be given a description (why one is disabled).
class CFieldNames {
public:
    // Names the page's controls with these ids.
    void Attach(HWND hPage, std::initializer_list<int> ids);
    // Gives a control of the page a description; a control that was not
    // named keeps the name the system gives it.
    void Describe(HWND hControl, const std::wstring& description);

    // What a field is called on its page: its label, else its frame's
    // caption, else nothing.
    static std::wstring LabelOf(HWND hField);

private:
    std::vector<std::unique_ptr<CAccessibleName>> m_names;
};
