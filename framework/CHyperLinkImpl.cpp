#include "framework/CHyperLinkImpl.h"

#include <commctrl.h>

#include <vector>

#include "framework/CBaseModule.h"
#include "framework/CHyperLinkAccessible.h"
#include "framework/CLinkLauncher.h"

namespace {

constexpr UINT_PTR kToolId = 1;

// The client point of a mouse message (signed: it may lie left of or above
// the window while the mouse is captured).
POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

void CHyperLinkImpl::SetLinkTarget(const std::wstring& target) {
    m_target = target;
    if (m_label.empty()) MeasureLink();
    if (m_toolTip != nullptr) AddToolTipTool();
}

void CHyperLinkImpl::SetLinkLabel(const std::wstring& label) {
    m_label = label;
    MeasureLink();
    if (m_hWnd != nullptr) ::SetWindowTextW(m_hWnd, m_label.c_str());
}

bool CHyperLinkImpl::SubclassAndInitialize(HWND hWnd) {
    if (!SubclassWindow(hWnd)) return false;
    m_accessible.Open();
    Initialize();
    return true;
}

LinkLabelParts CHyperLinkImpl::SplitLabel() const {
    const std::wstring_view text = m_label.empty() ? m_target : m_label;
    if (m_extendedStyle & LinkTagMode) return HyperLinkText::SplitLabel(text);
    return LinkLabelParts{{}, text, {}};
}

void CHyperLinkImpl::Initialize() {
    AdoptStaticStyle();
    m_cursor = ::LoadCursorW(nullptr, IDC_HAND);
    if (m_drawsLabel) CreateFonts();
    CreateToolTip();
    if (m_label.empty() && ::GetWindowTextLengthW(m_hWnd) > 0) {
        std::vector<wchar_t> text(static_cast<size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
        ::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()));
        SetLinkLabel(text.data());
    }
    MeasureLink();
    if (!m_target.empty())
        AddToolTipTool();
    else if (!m_label.empty())
        m_target = m_label;
    if (m_drawsLabel) ReadBrowserColours();
}

// A static reports mouse input only with SS_NOTIFY; the kinds that show an
// image or a shape instead of text keep drawing themselves.
void CHyperLinkImpl::AdoptStaticStyle() {
    wchar_t className[8]{};
    ::GetClassNameW(m_hWnd, className, 8);
    if (::lstrcmpiW(className, L"static") != 0) return;
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    if ((style & SS_NOTIFY) == 0) ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, style | SS_NOTIFY);
    const LONG_PTR kind = style & SS_TYPEMASK;
    if ((kind >= SS_ICON && kind <= SS_WHITEFRAME) ||
        (kind >= SS_OWNERDRAW && kind <= SS_ENHMETAFILE))
        m_drawsLabel = false;
}

// The dialog's font, and the same underlined for the link text.
void CHyperLinkImpl::CreateFonts() {
    HWND hParent = ::GetParent(m_hWnd);
    m_normalFont = hParent != nullptr
                       ? reinterpret_cast<HFONT>(::SendMessageW(hParent, WM_GETFONT, 0, 0))
                       : nullptr;
    if (m_normalFont == nullptr) m_normalFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    if (m_linkFont) return;
    LOGFONTW font{};
    if (::GetObjectW(m_normalFont, sizeof(font), &font) == 0) return;
    font.lfUnderline = TRUE;
    m_linkFont.Reset(::CreateFontIndirectW(&font));
}

void CHyperLinkImpl::CreateToolTip() {
    m_toolTip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  CBaseModule::Get().GetModuleInstance(), nullptr);
}

// One tool over the link text showing the address.
void CHyperLinkImpl::AddToolTipTool() {
    ::SendMessageW(m_toolTip, TTM_ACTIVATE, TRUE, 0);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = m_hWnd;
    tool.uId = kToolId;
    tool.rect = m_linkRect;
    tool.lpszText = const_cast<LPWSTR>(m_target.c_str());
    ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The browser's link colours, "r,g,b" texts. The key is only read: a user
// who may not write it keeps the configured colours all the same.
void CHyperLinkImpl::ReadBrowserColours() {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Settings", 0,
                        KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    const CRegKeyHandle settings(hKey);
    ReadColour(settings.Get(), L"Anchor Color", m_linkColor);
    ReadColour(settings.Get(), L"Anchor Color Visited", m_visitedColor);
}

// Only a terminated text of at most 11 characters that reads as a colour
// replaces the one given.
void CHyperLinkImpl::ReadColour(HKEY hKey, const wchar_t* name, COLORREF& colour) {
    wchar_t text[12]{};
    DWORD type = 0;
    DWORD size = sizeof(text);
    if (::RegQueryValueExW(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
        ERROR_SUCCESS)
        return;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return;
    const DWORD count = size / sizeof(wchar_t);
    if (count != 0 && text[count - 1] != L'\0') return;
    if (const auto parsed = HyperLinkText::ParseColorTriplet(text)) colour = *parsed;
}

void CHyperLinkImpl::MeasureLink() {
    if (!IsWindow() || (m_label.empty() && m_target.empty())) return;
    HDC hdc = ::GetDC(m_hWnd);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_linkRect = client;
    const HGDIOBJ oldFont = ::GetCurrentObject(hdc, OBJ_FONT);
    if (m_drawsLabel) {
        const LinkLabelParts parts = SplitLabel();
        constexpr UINT kMeasure = DT_CALCRECT | DT_WORDBREAK;
        RECT before = client;
        ::SelectObject(hdc, m_normalFont);
        ::DrawTextW(hdc, parts.Before.data(), static_cast<int>(parts.Before.size()), &before,
                    kMeasure);
        m_linkRect = client;
        if (!parts.Before.empty()) m_linkRect.left = before.right;
        ::SelectObject(hdc, LinkFont());
        ::DrawTextW(hdc, parts.Link.data(), static_cast<int>(parts.Link.size()), &m_linkRect,
                    kMeasure);
    }
    ::SelectObject(hdc, oldFont);
    ::ReleaseDC(m_hWnd, hdc);
}

bool CHyperLinkImpl::LaunchLink() {
    if (!CLinkLauncher::Launch(m_target)) return false;
    m_visited = true;
    if (m_hWnd != nullptr) ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return true;
}

bool CHyperLinkImpl::IsOverLink(POINT client) const {
    return !m_target.empty() && ::PtInRect(&m_linkRect, client);
}

void CHyperLinkImpl::Redraw() {
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
}

void CHyperLinkImpl::DrawPart(HDC hdc, std::wstring_view text, RECT rect) {
    if (!text.empty())
        ::DrawTextW(hdc, text.data(), static_cast<int>(text.size()), &rect, DT_WORDBREAK);
}

// Before and after in the dialog's colours, the link text in the link
// colours (grey while disabled), the focus rectangle around the link text.
void CHyperLinkImpl::Paint(HDC hdc) {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (HWND hParent = ::GetParent(m_hWnd)) {
        const auto hBrush = reinterpret_cast<HBRUSH>(::SendMessageW(
            hParent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
            reinterpret_cast<LPARAM>(m_hWnd)));
        if (hBrush != nullptr) ::FillRect(hdc, &client, hBrush);
    }
    const int saved = ::SaveDC(hdc);
    const LinkLabelParts parts = SplitLabel();
    ::SetBkMode(hdc, TRANSPARENT);
    ::SelectObject(hdc, m_normalFont);
    DrawPart(hdc, parts.Before, client);

    const COLORREF linkColour = !::IsWindowEnabled(m_hWnd) ? ::GetSysColor(COLOR_GRAYTEXT)
                                : m_visited                ? m_visitedColor
                                                           : m_linkColor;
    const COLORREF oldColour = ::SetTextColor(hdc, linkColour);
    ::SelectObject(hdc, LinkFont());
    DrawPart(hdc, parts.Link, m_linkRect);
    ::SetTextColor(hdc, oldColour);
    ::SelectObject(hdc, m_normalFont);

    DrawPart(hdc, parts.After, RECT{m_linkRect.right, m_linkRect.top, client.right, client.bottom});
    if (::GetFocus() == m_hWnd) ::DrawFocusRect(hdc, &m_linkRect);
    ::RestoreDC(hdc, saved);
}

LRESULT CHyperLinkImpl::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    if (m_toolTip != nullptr) ::DestroyWindow(m_toolTip);
    m_toolTip = nullptr;
    m_accessible.Close();
    bHandled = FALSE;
    return 0;
}

// The tooltip watches the mouse through the link; the message goes on.
LRESULT CHyperLinkImpl::OnMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    if (m_toolTip != nullptr) {
        MSG msg{m_hWnd, uMsg, wParam, lParam, 0, {0, 0}};
        ::SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    bHandled = FALSE;
    return 0;
}

LRESULT CHyperLinkImpl::OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return 1; }

LRESULT CHyperLinkImpl::OnPaint(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    if (!m_drawsLabel) {
        bHandled = FALSE;
        return 0;
    }
    if (wParam != 0) {
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    PAINTSTRUCT ps{};
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    Paint(hdc);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CHyperLinkImpl::OnFocusChange(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    if (!m_drawsLabel) {
        bHandled = FALSE;
        return 0;
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

LRESULT CHyperLinkImpl::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
    if (!IsOverLink(PointOf(lParam))) {
        bHandled = FALSE;
        return 0;
    }
    ::SetCursor(m_cursor);
    return 0;
}

LRESULT CHyperLinkImpl::OnMouseLeave(UINT, WPARAM, LPARAM, BOOL&) { return 0; }

LRESULT CHyperLinkImpl::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL&) {
    if (::PtInRect(&m_linkRect, PointOf(lParam))) {
        ::SetFocus(m_hWnd);
        ::SetCapture(m_hWnd);
    }
    return 0;
}

// Opens the link only when the button goes up where it went down: on the
// link text.
LRESULT CHyperLinkImpl::OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&) {
    if (::GetCapture() != m_hWnd) return 0;
    ::ReleaseCapture();
    if (::PtInRect(&m_linkRect, PointOf(lParam))) LaunchLink();
    return 0;
}

LRESULT CHyperLinkImpl::OnChar(UINT, WPARAM wParam, LPARAM, BOOL&) {
    if (wParam == VK_RETURN || wParam == VK_SPACE) LaunchLink();
    return 0;
}

// The link takes the characters typed, and Enter too: the dialog manager
// would otherwise press the default button with it (it asks, with the key's
// message, before anything reaches the link). Tab and the arrows stay the
// dialog's.
LRESULT CHyperLinkImpl::OnGetDlgCode(UINT, WPARAM, LPARAM lParam, BOOL&) {
    const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        return DLGC_WANTCHARS | DLGC_WANTMESSAGE;
    return DLGC_WANTCHARS;
}

// Over the link text the hand set on the last mouse move stays.
LRESULT CHyperLinkImpl::OnSetCursor(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    if (!IsOverLink(cursor)) {
        bHandled = FALSE;
        return 0;
    }
    return TRUE;
}

LRESULT CHyperLinkImpl::OnEnable(UINT, WPARAM, LPARAM, BOOL&) {
    Redraw();
    return 0;
}

LRESULT CHyperLinkImpl::OnGetFont(UINT, WPARAM, LPARAM, BOOL&) {
    return reinterpret_cast<LRESULT>(m_normalFont);
}

// The link font stays as it was made from the dialog's font.
LRESULT CHyperLinkImpl::OnSetFont(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
    m_normalFont = reinterpret_cast<HFONT>(wParam);
    if (lParam != 0) Redraw();
    return 0;
}

// Keyboard cues never hide the focus rectangle.
LRESULT CHyperLinkImpl::OnUpdateUIState(UINT, WPARAM, LPARAM, BOOL&) { return 0; }

LRESULT CHyperLinkImpl::OnSize(UINT, WPARAM, LPARAM, BOOL&) {
    MeasureLink();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

// Screen readers get the link's own accessible object for its client area;
// other objects are the static's. Once the window is being destroyed they
// get nothing more from the link.
LRESULT CHyperLinkImpl::OnGetObject(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) {
        bHandled = FALSE;
        return 0;
    }
    return m_accessible.Answer(wParam, lParam, [&] { return CHyperLinkAccessible::Create(*this); });
}
