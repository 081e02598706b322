#pragma once
#include "framework/CMessageMap.h"

// What every window object of the framework has: the window it is attached
// to and the reflection of child notifications back to their senders.
class CWindowBase : public CMessageMap {
public:
    HWND m_hWnd = nullptr;

    CWindowBase() = default;
    virtual ~CWindowBase() = default;
    CWindowBase(const CWindowBase&) = delete;
    CWindowBase& operator=(const CWindowBase&) = delete;

    bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }

    // Sends a notification message from a child back to that child as the
    // message number plus OCM__BASE; clears bHandled when no child sent it.
    LRESULT ReflectNotifications(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    // The default answer to a reflected message nobody handled: the system
    // default for the message number before reflection.
    static BOOL DefaultReflectionHandler(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                         LRESULT& lResult);

    // The child window that sent a notification message, or null.
    HWND FindNotifyingChild(UINT uMsg, WPARAM wParam, LPARAM lParam) const;
};
