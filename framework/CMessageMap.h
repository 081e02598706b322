#pragma once
#include <windows.h>

// A window object's table of handled messages. ProcessWindowMessage returns
// TRUE when the map handled the message and stored its result; everything
// else goes to the window's default handling.
class CMessageMap {
public:
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& lResult, DWORD dwMsgMapID) = 0;

protected:
    ~CMessageMap() = default;
};

// Message-map macros. A handler may clear bHandled to let the message go on
// to the next entry and, at the end, to default handling.
//   LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
//   LRESULT OnCommand(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled)
//   LRESULT OnNotify(int idCtrl, LPNMHDR pnmh, BOOL& bHandled)
#define BEGIN_MSG_MAP(theClass)                                                              \
public:                                                                                      \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,            \
                              LRESULT& lResult, DWORD dwMsgMapID = 0) override {             \
        MSG_MAP_OPEN_

// A map written in the class's source file, so that the classes its
// entries name stay out of the class's header: the class declares
// DECLARE_MSG_MAP() and its source file writes
// BEGIN_MSG_MAP_OUT_OF_LINE(theClass) ... END_MSG_MAP().
#define DECLARE_MSG_MAP()                                                                    \
public:                                                                                      \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,            \
                              LRESULT& lResult, DWORD dwMsgMapID = 0) override;

#define BEGIN_MSG_MAP_OUT_OF_LINE(theClass)                                                  \
    BOOL theClass::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,  \
                                        LRESULT& lResult, DWORD dwMsgMapID) {                \
        MSG_MAP_OPEN_

#define MSG_MAP_OPEN_                                                                        \
        BOOL bHandled = TRUE;                                                                \
        (void)hWnd; (void)wParam; (void)lParam; (void)bHandled;                             \
        switch (dwMsgMapID) {                                                                \
        case 0:

#define ALT_MSG_MAP(msgMapID) \
        break;                \
        case msgMapID:

#define MESSAGE_HANDLER(msg, func)                                  \
    if (uMsg == (msg)) {                                            \
        bHandled = TRUE;                                            \
        lResult = func(uMsg, wParam, lParam, bHandled);             \
        if (bHandled) return TRUE;                                  \
    }

#define MESSAGE_RANGE_HANDLER(msgFirst, msgLast, func)              \
    if (uMsg >= (msgFirst) && uMsg <= (msgLast)) {                  \
        bHandled = TRUE;                                            \
        lResult = func(uMsg, wParam, lParam, bHandled);             \
        if (bHandled) return TRUE;                                  \
    }

#define COMMAND_HANDLER(id, code, func)                                                  \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code)) {      \
        bHandled = TRUE;                                                                 \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam),   \
                       bHandled);                                                        \
        if (bHandled) return TRUE;                                                       \
    }

#define COMMAND_CODE_HANDLER(code, func)                                                 \
    if (uMsg == WM_COMMAND && HIWORD(wParam) == (code)) {                                \
        bHandled = TRUE;                                                                 \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam),   \
                       bHandled);                                                        \
        if (bHandled) return TRUE;                                                       \
    }

#define NOTIFY_HANDLER(id, cd, func)                                                     \
    if (uMsg == WM_NOTIFY && reinterpret_cast<LPNMHDR>(lParam)->idFrom == (UINT_PTR)(id) \
        && reinterpret_cast<LPNMHDR>(lParam)->code == (UINT)(cd)) {                      \
        bHandled = TRUE;                                                                 \
        lResult = func(static_cast<int>(wParam), reinterpret_cast<LPNMHDR>(lParam),      \
                       bHandled);                                                        \
        if (bHandled) return TRUE;                                                       \
    }

#define NOTIFY_CODE_HANDLER(cd, func)                                                    \
    if (uMsg == WM_NOTIFY && reinterpret_cast<LPNMHDR>(lParam)->code == (UINT)(cd)) {    \
        bHandled = TRUE;                                                                 \
        lResult = func(static_cast<int>(wParam), reinterpret_cast<LPNMHDR>(lParam),      \
                       bHandled);                                                        \
        if (bHandled) return TRUE;                                                       \
    }

// Reflected notifications arrive as the message number plus OCM__BASE.
#define REFLECTED_COMMAND_CODE_HANDLER(code, func)                                       \
    if (uMsg == OCM__BASE + WM_COMMAND && HIWORD(wParam) == (code)) {                    \
        bHandled = TRUE;                                                                 \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam),   \
                       bHandled);                                                        \
        if (bHandled) return TRUE;                                                       \
    }

#define REFLECTED_NOTIFY_CODE_HANDLER(cd, func)                                          \
    if (uMsg == OCM__BASE + WM_NOTIFY                                                    \
        && reinterpret_cast<LPNMHDR>(lParam)->code == (UINT)(cd)) {                      \
        bHandled = TRUE;                                                                 \
        lResult = func(static_cast<int>(wParam), reinterpret_cast<LPNMHDR>(lParam),      \
                       bHandled);                                                        \
        if (bHandled) return TRUE;                                                       \
    }

#define CHAIN_MSG_MAP(theChainClass)                                                     \
    if (theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, 0))     \
        return TRUE;

#define CHAIN_MSG_MAP_MEMBER(theChainMember)                                                   \
    if ((theChainMember).ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, 0))         \
        return TRUE;

#define REFLECT_NOTIFICATIONS()                                                          \
    {                                                                                    \
        bHandled = TRUE;                                                                 \
        lResult = ReflectNotifications(uMsg, wParam, lParam, bHandled);                  \
        if (bHandled) return TRUE;                                                       \
    }

#define DEFAULT_REFLECTION_HANDLER()                                                     \
    if (DefaultReflectionHandler(hWnd, uMsg, wParam, lParam, lResult)) return TRUE;

// Chains to a member that wraps the rest of the handling, for example runs
// it and then looks at what it changed. The member gets the message and an
// action that runs theClass's alternate map altMapId and returns TRUE when
// that map handled it; the call names theClass, so a class derived from it
// with a map of its own is not asked instead. The member declares
//   template <class Action>
//   BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, const Action&);
#define CHAIN_MSG_MAP_MEMBER_AROUND(theChainMember, theClass, altMapId)                  \
    if ((theChainMember).ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, [&] { \
            return theClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult,  \
                                                  altMapId);                             \
        }))                                                                              \
        return TRUE;

#define END_MSG_MAP()  \
        break;         \
        default:       \
        break;         \
        }              \
        return FALSE;  \
    }

#ifndef OCM__BASE
#define OCM__BASE (WM_USER + 0x1c00)
#endif
