#include "support/ComponentFiles.h"

#include "support/ChildProcess.h"

std::wstring ComponentFiles::BinFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::wstring ComponentFiles::SystemProgram(const std::wstring& name) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length) + L"\\" + name;
}

DWORD ComponentFiles::Regsvr32(bool doRegister, const std::wstring& dllPath) {
    std::wstring line = Quoted(SystemProgram(L"regsvr32.exe")) + L" /s ";
    if (!doRegister) line += L"/u ";
    return ChildProcess::Run(line + Quoted(dllPath));
}
