#include "sheet/CFieldNames.h"

namespace {

std::wstring ClassOf(HWND hWnd) {
    wchar_t name[16]{};
    ::GetClassNameW(hWnd, name, 16);
    return name;
}

// Texts of statics that show text, without their mnemonic marks.
std::wstring TextOf(HWND hWnd) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hWnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hWnd, &text[0], static_cast<int>(text.size()))));
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

bool IsTextLabel(HWND hWnd) {
    if (::lstrcmpiW(ClassOf(hWnd).c_str(), L"Static") != 0) return false;
    const LONG_PTR kind = ::GetWindowLongPtrW(hWnd, GWL_STYLE) & SS_TYPEMASK;
    return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_SIMPLE ||
           kind == SS_LEFTNOWORDWRAP;
}

bool IsFrame(HWND hWnd) {
    return ::lstrcmpiW(ClassOf(hWnd).c_str(), L"Button") == 0 &&
           (::GetWindowLongPtrW(hWnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

RECT RectOf(HWND hWnd) {
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

LONG AreaOf(const RECT& rect) { return (rect.right - rect.left) * (rect.bottom - rect.top); }

}  // namespace

void CFieldNames::Attach(HWND hPage, std::initializer_list<int> ids) {
    for (int id : ids) {
        HWND hField = ::GetDlgItem(hPage, id);
        if (hField == nullptr) continue;
        auto name = std::make_unique<CAccessibleName>();
        name->SetName(LabelOf(hField));
        if (name->Attach(hField)) m_names.push_back(std::move(name));
    }
}

void CFieldNames::Describe(HWND hControl, const std::wstring& description) {
    for (const auto& name : m_names) {
        if (name->m_hWnd == hControl) {
            name->SetDescription(description);
            return;
        }
    }
    auto name = std::make_unique<CAccessibleName>();
    name->SetDescription(description);
    if (name->Attach(hControl)) m_names.push_back(std::move(name));
}

// The nearest label whose middle lies within the field's height and which
// ends before the field starts; without one, the smallest frame holding
// the field.
std::wstring CFieldNames::LabelOf(HWND hField) {
    const RECT field = RectOf(hField);
    HWND hLabel = nullptr, hFrame = nullptr;
    LONG labelRight = LONG_MIN, frameArea = LONG_MAX;
    for (HWND hSibling = ::GetWindow(hField, GW_HWNDFIRST);
         hSibling != nullptr; hSibling = ::GetWindow(hSibling, GW_HWNDNEXT)) {
        const RECT rect = RectOf(hSibling);
        const LONG middle = (rect.top + rect.bottom) / 2;
        if (IsTextLabel(hSibling) && middle >= field.top && middle < field.bottom &&
            rect.right <= field.left && rect.right > labelRight) {
            hLabel = hSibling;
            labelRight = rect.right;
        }
        RECT inside{};
        if (IsFrame(hSibling) && ::IntersectRect(&inside, &rect, &field) &&
            ::EqualRect(&inside, &field) && AreaOf(rect) < frameArea) {
            hFrame = hSibling;
            frameArea = AreaOf(rect);
        }
    }
    if (hLabel != nullptr) return TextOf(hLabel);
    return hFrame != nullptr ? TextOf(hFrame) : std::wstring();
}
