#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class COptionsDlg;
class CPropertySheetBase;
class PreferenceSet;
class PrefsSandbox;

// Drives a real options sheet the way a user would, from inside its own
// modal loop: Run starts the sheet on the calling thread and, once the
// sheet window is up, runs the script on that same thread (from a timer the
// modal loop dispatches). The script selects pages, chooses combo items,
// clicks buttons, types and closes the sheet with real messages.
class SheetDriver {
public:
    enum Page { Viewers = 0, RdfDataAccess = 1, About = 2 };

    using Script = std::function<void(SheetDriver&)>;

    // Returns the sheet's result. A script that leaves the sheet open fails
    // the test and the sheet is cancelled.
    static INT_PTR Run(CPropertySheetBase& dlg, const Script& script);
    // As the browser command does: saves when the result is exactly 1.
    static INT_PTR RunAndSaveOnOk(COptionsDlg& dlg, const Script& script);
    // Writes a local preferences file with the given pairs (none: no file),
    // runs a new options sheet over it as RunAndSaveOnOk does and returns
    // what the local file holds afterwards.
    static PreferenceSet RunOnLocalFile(const PrefsSandbox& sandbox, const std::string& pairs,
                                        const Script& script);

    HWND Sheet() const { return m_hSheet; }
    HWND PageWindow(int page) const;
    int CurrentPage() const;

    void SelectPage(int page);  // PSM_SETCURSEL
    void ClickTab(int page);    // a mouse click on the tab

    HWND Control(int page, int id) const;
    void Choose(int page, int comboId, int position);  // selection + CBN_SELCHANGE
    void Click(int page, int id);                      // BM_CLICK
    void Type(int page, int id, const std::wstring& text);

    std::wstring Text(int page, int id) const;
    bool Enabled(int page, int id) const;
    bool Checked(int page, int id) const;
    int Selection(int page, int comboId) const;
    int ItemCount(int page, int comboId) const;
    std::wstring ItemText(int page, int comboId, int position) const;

    void PressOk();
    void PressCancel();
    void PressCloseBox();

    // Input as the user gives it: through the system's input queue to the
    // window under the pointer or with the focus, through the sheet's
    // dialog manager, each call returning once the sheet has handled it.
    void ClickAt(HWND window, POINT client);  // a left click at a client point
    void PointAt(HWND window, POINT client);  // the pointer moved there, no button
    void PressKey(WORD virtualKey, bool shift = false);
    void TypeText(const std::wstring& text);  // any characters, one UTF-16 unit each

private:
    explicit SheetDriver(HWND hSheet) : m_hSheet(hSheet) {}
    static void CALLBACK OnTimer(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD time);
    void Deliver(std::vector<INPUT> inputs);

    HWND m_hSheet;
    bool m_closePressed = false;
};
