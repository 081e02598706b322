#pragma once
#include <windows.h>
#include <docobj.h>

#include <string>

// One press of the browser button as a user makes it: Exec on the command
// object and, inside the sheet's modal loop, a script that visits every
// page, changes values, edits the header rows and closes the sheet, all
// with real messages. Odd runs close with OK, even runs with Cancel.
class SoakSheetRun {
public:
    // What an OK run leaves in the preferences files.
    struct Outcome {
        std::wstring OpeningBehavior;
        std::wstring OpeningMode;
        std::wstring ProxyService;
        std::wstring ProxyPort;
        std::wstring HeaderName;  // the only header row
        std::wstring HeaderValue;
    };
    static Outcome OutcomeOf(int run);
    static bool EndsWithOk(int run) { return run % 2 == 1; }

    // Runs Exec with the script of the given run; what went wrong, one
    // line each, or empty.
    static std::string Play(IOleCommandTarget* pCommand, int run);

private:
    SoakSheetRun(HWND hSheet, int run) : m_hSheet(hSheet), m_run(run) {}
    static void CALLBACK OnTimer(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD time);
    static HWND FindSheet();
    static BOOL CALLBACK MatchSheet(HWND hWnd, LPARAM lParam);

    void PlayScript();
    void VisitViewers();
    void VisitRdfDataAccess();
    void EditHeaderRows();
    void ShakeHeadersList();
    void PressListKeys(HWND hList);
    void Scroll(HWND hList);
    void SwapColumns(HWND hList, int rowHeight, bool valueFirst);
    void Drag(HWND hWnd, int fromX, int toX, int y);
    void ShowTitleTip();
    void Hover(HWND hWnd, int x, int y);
    bool ClickCell(int row, int column);
    bool IsEditing(int row, int column);
    static int ListRowHeight();
    void Press(UINT key, wchar_t ch);
    void Type(const std::wstring& text);
    static void Stroke(UINT key, wchar_t ch);
    void VisitAbout();
    void Close();

    HWND Page(int page) const;
    HWND Control(int page, int id) const;
    void SelectPage(int page);
    void Click(int page, int id);
    void Choose(int page, int comboId, int position);
    void TypeInto(HWND hEdit, const std::wstring& text);
    // Dispatches what the steps posted and sent, as the modal loop would,
    // and goes on doing so for the time given. Painting waits for Paint.
    static void Pump(DWORD milliseconds = 0);
    // Paints what the steps since the last painting made invalid.
    void Paint();
    void Report(const std::string& problem);

    HWND m_hSheet;
    int m_run;
    std::string m_problems;
};
