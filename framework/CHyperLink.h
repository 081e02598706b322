#pragma once
#include "framework/CHyperLinkImpl.h"

// A hyperlink control attached to a dialog's static text.
//
//   m_link.SetExtendedStyle(CHyperLink::LinkTagMode);
//   m_link.SetLinkTarget(L"http://example.org/");
//   m_link.SubclassAndInitialize(::GetDlgItem(m_hWnd, IDC_LINK));
class CHyperLink : public CHyperLinkImpl {};
