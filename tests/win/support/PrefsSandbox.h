#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "prefs/PreferenceSet.h"
#include "support/ScratchFolder.h"

// A private pair of LOCALAPPDATA and ALLUSERSPROFILE folders for one test:
// while the sandbox lives, both variables point at fresh folders inside
// it; afterwards they are put back as they were (set or not) and the
// folders removed. A test may change the variables in between.
class PrefsSandbox : public ScratchFolder {
public:
    PrefsSandbox();
    ~PrefsSandbox();

    // The folders the two variables point at.
    std::wstring LocalAppData() const { return Path() + L"\\Local"; }
    std::wstring AllUsersProfile() const { return Path() + L"\\ProgramData"; }

    // The two copies of the preferences file, as the variables place them.
    std::wstring LocalPath() const;
    std::wstring CommonPath() const;

    // Writes the local copy the sheet reads, creating its folders.
    bool WriteLocal(const std::string& bytes) const;
    // The local copy read back through the preferences reader.
    PreferenceSet LoadLocal() const;

private:
    static std::optional<std::wstring> ReadVariable(const wchar_t* name);
    static void RestoreVariable(const wchar_t* name, const std::optional<std::wstring>& value);

    std::optional<std::wstring> m_savedLocal;
    std::optional<std::wstring> m_savedCommon;
};
