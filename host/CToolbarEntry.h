#pragma once
#include <windows.h>

#include <string>

// A toolbar-button entry of the browser's Extensions key that runs a COM
// object: what the browser shows for it and the object it creates.
class CToolbarEntry {
public:
    // The first such entry in the registry; false when there is none.
    static bool FindFirst(CToolbarEntry& entry);

    // The button's 16 x 16 icon from "path,resource id"; null if it cannot
    // be loaded. The caller destroys it.
    HICON LoadIcon() const;

    std::wstring ButtonText;
    std::wstring MenuText;
    std::wstring Icon;
    CLSID ClsidExtension{};

private:
    bool Read(HKEY hKey);
};
