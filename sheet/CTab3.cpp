#include "sheet/CTab3.h"

namespace {

const wchar_t kHomePage[] = L"http://www.brackwyn.example/vtl/";

}  // namespace

// Only the tagged part of the label ("<a>VTL Site</a>") is the link.
LRESULT CTab3::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    m_link.SetExtendedStyle(CHyperLink::LinkTagMode);
    m_link.SetLinkTarget(kHomePage);
    if (m_link.m_hWnd == nullptr)
        m_link.SubclassAndInitialize(::GetDlgItem(m_hWnd, IDC_ABOUT_LINK));
    return TRUE;
}
