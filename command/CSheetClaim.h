#pragma once
#include <windows.h>

#include <atomic>

#include "command/SessionMutex.h"

// One options sheet at a time in the user's session: two sheets would save
// over each other. Each Exec claims the sheet before it opens one and gives
// the claim up when it returns; while one holds it, any other Exec brings
// the open sheet to the front instead of opening a second: on any command
// object of the module, on any thread, and in any process of the session,
// since a browser may run its tabs in several processes.
class CSheetClaim {
public:
    CSheetClaim();
    ~CSheetClaim();
    CSheetClaim(const CSheetClaim&) = delete;
    CSheetClaim& operator=(const CSheetClaim&) = delete;

    // Whether this Exec may open the sheet.
    bool IsHeld() const { return m_held; }

    // Brings the open sheet (or a box it shows) to the front, as far as
    // Windows lets this process: where it may not take the foreground, the
    // sheet flashes. Nothing while no sheet shows yet.
    static void BringOpenSheetToFront();

private:
    // Within the process, since a mutex lets the thread that owns it take
    // it again: an Exec run from inside the sheet's own modal loop.
    bool m_held;
    // Across processes. A session whose mutex cannot be had (no rights to
    // it, say) still gets its sheet, claimed within the process only.
    SessionMutex m_session;

    static std::atomic<bool> s_claimed;
};
