#pragma once
#include <windows.h>

#include "framework/CPropertyPageBase.h"
#include "sheet/SheetResources.h"

// The "About" page: product icon, name, version, description and the link
// to the product's home page. It reads and writes no preferences.
class CTab3 : public CPropertyPageImpl<CTab3> {
public:
    enum { IDD = IDD_ABOUT };
};
