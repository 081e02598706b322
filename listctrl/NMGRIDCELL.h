#pragma once
#include <windows.h>

// The record a list sends with WM_NOTIFY to its parent (GLN_* codes), and
// an editor sends to the list when an edit ends.
struct NMGRIDCELL {
    NMHDR hdr;
    int Item;
    int SubItem;
    WORD ExitKey;
    LPWSTR Text;
    SYSTEMTIME* Date;
};
