#pragma once
#include <windows.h>

#include <atomic>

// One options sheet at a time in the process: two sheets would save over
// each other. Each Exec claims the sheet before it opens one and gives the
// claim up when it returns; while one holds it, any other Exec, on any
// command object of the module and on any thread, brings the open sheet to
// the front instead of opening a second.
class CSheetClaim {
public:
    CSheetClaim() : m_held(!s_claimed.exchange(true)) {}
    ~CSheetClaim();
    CSheetClaim(const CSheetClaim&) = delete;
    CSheetClaim& operator=(const CSheetClaim&) = delete;

    // Whether this Exec may open the sheet.
    bool IsHeld() const { return m_held; }
    // The window the held sheet is shown over (its owner).
    void SetOwner(HWND hOwner);

    // Brings the open sheet (what its owner last had active above it) to
    // the front; nothing while no sheet shows yet.
    static void BringOpenSheetToFront();

private:
    bool m_held;

    static std::atomic<bool> s_claimed;
    static std::atomic<HWND> s_owner;
};
