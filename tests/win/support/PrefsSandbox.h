#pragma once
#include <windows.h>

#include <string>

#include "prefs/PreferenceSet.h"

// A private pair of LOCALAPPDATA and ALLUSERSPROFILE folders for one test:
// the environment points at fresh folders under the temporary folder while
// the sandbox lives, and both are restored and removed afterwards.
class PrefsSandbox {
public:
    PrefsSandbox();
    ~PrefsSandbox();
    PrefsSandbox(const PrefsSandbox&) = delete;
    PrefsSandbox& operator=(const PrefsSandbox&) = delete;

    std::wstring LocalPath() const;
    std::wstring CommonPath() const;

    // Writes the local copy the sheet reads, creating its folders.
    void WriteLocal(const std::string& bytes) const;

    static bool Exists(const std::wstring& path);
    static std::string ReadBytes(const std::wstring& path);

    // The local copy read back through the preferences reader.
    PreferenceSet LoadLocal() const;

private:
    static std::wstring ReadVariable(const wchar_t* name, bool& wasSet);
    static void RemoveTree(const std::wstring& folder);

    std::wstring m_root;
    std::wstring m_oldLocal;
    std::wstring m_oldAllUsers;
    bool m_hadLocal = false;
    bool m_hadAllUsers = false;
};
