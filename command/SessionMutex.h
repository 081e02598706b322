#pragma once
#include <windows.h>

#include <string>

#include "framework/CUniqueHandle.h"

// A named mutex shared by every process of the user in this logon session,
// whatever their integrity level: a low-integrity tab process of a
// protected browser opens the one a medium-integrity process made, and the
// other way round. The name is qualified with the user's SID, so another
// account's processes in the same session have a mutex of their own.
class SessionMutex {
public:
    explicit SessionMutex(const std::wstring& name);
    ~SessionMutex();
    SessionMutex(const SessionMutex&) = delete;
    SessionMutex& operator=(const SessionMutex&) = delete;

    // False when the mutex could not be made or opened.
    bool IsOpen() const { return static_cast<bool>(m_mutex); }
    // Takes the mutex for the calling thread without waiting. One that a
    // process left behind by ending while it held it is taken as free.
    bool TryTake();
    // Lets go of a mutex taken (the destructor does too).
    void Give();

private:
    static std::wstring CurrentUserSid();

    CKernelHandle m_mutex;
    bool m_taken = false;
};
