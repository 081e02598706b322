#pragma once
#include <windows.h>

#include <string>

// Where the built component and programs are (next to the test program),
// and registering the component with the system's own regsvr32.
class ComponentFiles {
public:
    static std::wstring BinFolder();
    static std::wstring DllPath() { return BinFolder() + L"\\BrackwynVTL.dll"; }
    static std::wstring ProgramPath(const std::wstring& name) { return BinFolder() + L"\\" + name; }
    static std::wstring SystemProgram(const std::wstring& name);

    // regsvr32 /s [/u] on the DLL; its exit code.
    static DWORD Regsvr32(bool doRegister, const std::wstring& dllPath = DllPath());

    static std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }
};
