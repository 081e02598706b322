// Measures the headers list against the system ListView (report view, the
// same two columns and texts): adding 100,000 rows, and painting one full
// frame with 100 and with 100,000 rows. Prints medians of repeated runs.
// Usage: vtl_bench_list.exe [repeats [rows]]   (on an idle machine)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "listctrl/CListUserData.h"

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 300;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::wstring Name(int i) { return L"X-Header-" + std::to_wstring(i); }
std::wstring Value(int i) { return L"value number " + std::to_wstring(i); }

// One list under test: a window of either kind, its rows and a frame.
struct Subject {
    virtual ~Subject() = default;
    virtual HWND Window() const = 0;
    virtual void AddRows(int count) = 0;
};

struct OurList : Subject {
    OurList(HWND parent, bool themed) {
        const RECT rect{0, 0, WIDTH, HEIGHT};
        list.Create(parent, rect, nullptr, WS_CHILD | WS_VISIBLE, 0, 239);
        list.Options.UseThemes = themed;
    }
    ~OurList() override { list.DestroyWindow(); }
    HWND Window() const override { return list.m_hWnd; }
    void AddRows(int count) override {
        for (int i = 0; i < count; ++i) list.AddItem({L"", Name(i), Value(i)});
    }
    CListUserData list;
};

struct SystemList : Subject {
    explicit SystemList(HWND parent) {
        hWnd = CreateWindowExW(0, WC_LISTVIEWW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                               WIDTH, HEIGHT, parent, reinterpret_cast<HMENU>(239),
                               GetModuleHandleW(nullptr), nullptr);
        AddColumn(0, L"Header", 145);
        AddColumn(1, L"Value", 195);
    }
    ~SystemList() override { DestroyWindow(hWnd); }
    HWND Window() const override { return hWnd; }
    void AddColumn(int index, const wchar_t* title, int width) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(title);
        column.cx = width;
        column.iSubItem = index;
        SendMessageW(hWnd, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
    }
    void AddRows(int count) override {
        for (int i = 0; i < count; ++i) {
            std::wstring name = Name(i), value = Value(i);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = name.data();
            const int index =
                static_cast<int>(SendMessageW(hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
            item.iSubItem = 1;
            item.pszText = value.data();
            SendMessageW(hWnd, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
        }
    }
    HWND hWnd = nullptr;
};

using Factory = std::function<Subject*(HWND)>;

double TimeAdding(const Factory& make, HWND parent, int rows, int repeats) {
    std::vector<double> times;
    for (int r = 0; r < repeats; ++r) {
        Subject* subject = make(parent);
        const double start = Now();
        subject->AddRows(rows);
        times.push_back(Now() - start);
        delete subject;
    }
    return Median(times);
}

// One full frame: the whole client area painted into a bitmap
// (WM_PRINTCLIENT), so that the figure is the list's own drawing and not
// the display's.
double TimePainting(const Factory& make, HWND parent, int rows, int repeats) {
    Subject* subject = make(parent);
    subject->AddRows(rows);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, WIDTH, HEIGHT);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const WPARAM dc = reinterpret_cast<WPARAM>(memory);
    const LPARAM what = PRF_CLIENT | PRF_ERASEBKGND;
    SendMessageW(subject->Window(), WM_PRINTCLIENT, dc, what);  // warm-up
    std::vector<double> times;
    for (int r = 0; r < repeats; ++r) {
        const double start = Now();
        SendMessageW(subject->Window(), WM_PRINTCLIENT, dc, what);
        GdiFlush();
        times.push_back(Now() - start);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    delete subject;
    return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int rows = argc > 2 ? std::max(100, std::atoi(argv[2])) : 100000;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // Hidden, as the page's dialog is while its rows are loaded: under Wine
    // every change to a visible window also costs a trip to the display.
    HWND parent = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0,
                                  WIDTH + 40, HEIGHT + 60, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (parent == nullptr) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    const Factory ours = [](HWND p) { return static_cast<Subject*>(new OurList(p, true)); };
    const Factory oursClassic = [](HWND p) { return static_cast<Subject*>(new OurList(p, false)); };
    const Factory system = [](HWND p) { return static_cast<Subject*>(new SystemList(p)); };

    const int paintRepeats = repeats * 10;
    auto progress = [](const char* step, double ms) {
        std::fprintf(stderr, "%s: %.2f ms\n", step, ms);
        return ms;
    };
    const double addOurs = progress("add, ours", TimeAdding(ours, parent, rows, repeats));
    const double addSystem = progress("add, system", TimeAdding(system, parent, rows, repeats));
    const double paintOurs100 = progress("paint 100, ours", TimePainting(ours, parent, 100, paintRepeats));
    const double paintOursAll = progress("paint all, ours", TimePainting(ours, parent, rows, paintRepeats));
    const double paintClassic100 =
        progress("paint 100, ours classic", TimePainting(oursClassic, parent, 100, paintRepeats));
    const double paintClassicAll =
        progress("paint all, ours classic", TimePainting(oursClassic, parent, rows, paintRepeats));
    const double paintSystem100 =
        progress("paint 100, system", TimePainting(system, parent, 100, paintRepeats));
    const double paintSystemAll =
        progress("paint all, system", TimePainting(system, parent, rows, paintRepeats));

    std::printf("medians in ms (adding: %d runs, painting: %d frames)\n", repeats, paintRepeats);
    std::printf("%-32s %14s %14s %14s\n", "", "HdrsList", "HdrsList", "SysListView32");
    std::printf("%-32s %14s %14s %14s\n", "", "themed", "classic", "");
    const std::string all = std::to_string(rows);
    std::printf("%-32s %14.2f %14s %14.2f\n", ("add " + all + " rows").c_str(), addOurs, "",
                addSystem);
    std::printf("%-32s %14.3f %14.3f %14.3f\n", "paint one frame, 100 rows", paintOurs100,
                paintClassic100, paintSystem100);
    std::printf("%-32s %14.3f %14.3f %14.3f\n", ("paint one frame, " + all + " rows").c_str(),
                paintOursAll, paintClassicAll, paintSystemAll);
    std::printf("%-32s %14.2f %14.2f %14.2f\n", ("paint ratio " + all + " / 100 rows").c_str(),
                paintOursAll / paintOurs100, paintClassicAll / paintClassic100,
                paintSystemAll / paintSystem100);
    DestroyWindow(parent);
    return 0;
}
