#include "support/PrefsSandbox.h"

#include "prefs/PrefsFile.h"

PrefsSandbox::PrefsSandbox()
    : ScratchFolder(L"prefs"),
      m_savedLocal(ReadVariable(L"LOCALAPPDATA")),
      m_savedCommon(ReadVariable(L"ALLUSERSPROFILE")) {
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", MakeFolder(L"Local").c_str());
    ::SetEnvironmentVariableW(L"ALLUSERSPROFILE", MakeFolder(L"ProgramData").c_str());
}

PrefsSandbox::~PrefsSandbox() {
    RestoreVariable(L"LOCALAPPDATA", m_savedLocal);
    RestoreVariable(L"ALLUSERSPROFILE", m_savedCommon);
}

std::wstring PrefsSandbox::LocalPath() const { return PrefsFile::FromEnvironment().LocalPath(); }

std::wstring PrefsSandbox::CommonPath() const { return PrefsFile::FromEnvironment().CommonPath(); }

bool PrefsSandbox::WriteLocal(const std::string& bytes) const {
    MakeFolder(L"Local\\" + PrefsFile::VirtualizedSubpath(AllUsersProfile()));
    return WriteBytes(LocalPath(), bytes);
}

PreferenceSet PrefsSandbox::LoadLocal() const {
    PreferenceSet set;
    PrefsFile::FromEnvironment().Load(set);
    return set;
}

std::optional<std::wstring> PrefsSandbox::ReadVariable(const wchar_t* name) {
    // The size asked for counts the terminating null, so an empty value is
    // told apart from an unset one (0).
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(::GetEnvironmentVariableW(name, &value[0], size));
    return value;
}

void PrefsSandbox::RestoreVariable(const wchar_t* name, const std::optional<std::wstring>& value) {
    ::SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
}
