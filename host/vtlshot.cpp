// Screenshot helper of the run command: waits for the "VTL Options" sheet
// that the stand-in browser opened, shows each page in turn and saves the
// sheet's screen area of each as a bitmap, then cancels the sheet.
//
//   vtlshot.exe <output folder> <name prefix>
//   vtlshot.exe /seed     gives a preferences file without header pairs a
//                         few, so that the pictures show the headers grid
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>
#include <vector>

#include "prefs/PreferenceSet.h"
#include "prefs/PrefsFile.h"

namespace {

HWND WaitForSheet(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND hSheet = FindWindowW(L"#32770", L"VTL Options");
        if (hSheet != nullptr && IsWindowVisible(hSheet)) return hSheet;
        Sleep(100);
    }
    return nullptr;
}

// Writes the screen area of the window as a 24-bit bitmap file.
bool SaveWindowImage(HWND hWnd, const std::wstring& path) {
    RECT rect;
    if (!GetWindowRect(hWnd, &rect)) return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);

    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    void* bits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hScreen, reinterpret_cast<BITMAPINFO*>(&info),
                                       DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (hMem != nullptr && hBitmap != nullptr) {
        HGDIOBJ hOld = SelectObject(hMem, hBitmap);
        BitBlt(hMem, 0, 0, width, height, hScreen, rect.left, rect.top, SRCCOPY);
        SelectObject(hMem, hOld);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info);
        file.bfSize = file.bfOffBits + info.biSizeImage;
        if (FILE* f = _wfopen(path.c_str(), L"wb")) {
            saved = fwrite(&file, sizeof(file), 1, f) == 1 &&
                    fwrite(&info, sizeof(info), 1, f) == 1 &&
                    fwrite(bits, info.biSizeImage, 1, f) == 1;
            saved = (fclose(f) == 0) && saved;
        }
    }
    if (hBitmap != nullptr) DeleteObject(hBitmap);
    if (hMem != nullptr) DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
    return saved;
}

bool SeedHeaderPairs() {
    const PrefsFile file = PrefsFile::FromEnvironment();
    PreferenceSet set;
    file.Load(set);
    if (set.FindKey(L"h_name0") != -1) return true;
    const wchar_t* pairs[][2] = {{L"Accept", L"text/turtle"},
                                 {L"Accept-Language", L"en-GB,en;q=0.8"},
                                 {L"X-Requested-By", L"Vantrel"}};
    int n = 0;
    for (const auto& pair : pairs) {
        set.Add(L"h_name" + std::to_wstring(n), pair[0]);
        set.Add(L"h_val" + std::to_wstring(n), pair[1]);
        ++n;
    }
    return file.Save(set);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"/seed") return SeedHeaderPairs() ? 0 : 1;
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: vtlshot <output folder> <name prefix> | vtlshot /seed\n");
        return 2;
    }
    HWND hSheet = WaitForSheet(120000);
    if (hSheet == nullptr) {
        std::fwprintf(stderr, L"vtlshot: the options sheet did not appear\n");
        return 1;
    }
    const wchar_t* names[] = {L"viewers", L"rdf-data-access", L"about"};
    int failures = 0;
    for (int page = 0; page < 3; ++page) {
        SendMessageW(hSheet, PSM_SETCURSEL, page, 0);
        SetForegroundWindow(hSheet);
        RedrawWindow(hSheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(800);
        const std::wstring path = std::wstring(argv[1]) + L"\\" + argv[2] + names[page] + L".bmp";
        if (!SaveWindowImage(hSheet, path)) ++failures;
    }
    PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    return failures == 0 ? 0 : 1;
}
