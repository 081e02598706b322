#include "support/ChildProcess.h"

#include <map>

namespace {

// The current environment with the overrides applied, as a CreateProcess block.
std::wstring BuildEnvironment(const ChildProcess::Environment& overrides) {
    std::map<std::wstring, std::wstring> variables;
    LPWCH pBlock = ::GetEnvironmentStringsW();
    for (LPCWSTR p = pBlock; *p != L'\0'; p += wcslen(p) + 1) {
        const std::wstring entry = p;
        const size_t eq = entry.find(L'=', 1);
        if (eq != std::wstring::npos) variables[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    ::FreeEnvironmentStringsW(pBlock);
    for (const auto& entry : overrides) {
        for (auto it = variables.begin(); it != variables.end();) {
            if (_wcsicmp(it->first.c_str(), entry.first.c_str()) == 0)
                it = variables.erase(it);
            else
                ++it;
        }
        variables[entry.first] = entry.second;
    }
    std::wstring block;
    for (const auto& entry : variables) block += entry.first + L"=" + entry.second + L'\0';
    block += L'\0';
    return block;
}

}  // namespace

ChildProcess::~ChildProcess() {
    if (m_pi.hProcess != nullptr) {
        if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_pi.hProcess, 99);
            ::WaitForSingleObject(m_pi.hProcess, 5000);
        }
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
    if (m_hOutput != nullptr) ::CloseHandle(m_hOutput);
}

bool ChildProcess::Start(const std::wstring& commandLine, const Environment& overrides,
                         const std::wstring& folder) {
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE hWrite = nullptr;
    if (!::CreatePipe(&m_hOutput, &hWrite, &sa, 0)) return false;
    ::SetHandleInformation(m_hOutput, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    std::wstring line = commandLine;
    std::wstring environment = BuildEnvironment(overrides);
    const BOOL ok = ::CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE,
                                     CREATE_UNICODE_ENVIRONMENT, &environment[0],
                                     folder.empty() ? nullptr : folder.c_str(), &si, &m_pi);
    ::CloseHandle(hWrite);
    return ok != FALSE;
}

void ChildProcess::Drain() {
    DWORD available = 0;
    while (::PeekNamedPipe(m_hOutput, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[1024];
        DWORD read = 0;
        if (!::ReadFile(m_hOutput, buffer, sizeof(buffer), &read, nullptr) || read == 0) break;
        m_output.append(buffer, read);
    }
}

bool ChildProcess::Wait(DWORD milliseconds) {
    if (m_pi.hProcess == nullptr) return false;
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    for (;;) {
        Drain();
        if (::WaitForSingleObject(m_pi.hProcess, 50) == WAIT_OBJECT_0) {
            Drain();
            return true;
        }
        if (::GetTickCount64() >= deadline) return false;
    }
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = ~0u;
    if (m_pi.hProcess != nullptr) ::GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

DWORD ChildProcess::Run(const std::wstring& commandLine, std::string* pOutput) {
    ChildProcess process;
    if (!process.Start(commandLine)) return ~0u;
    const bool ended = process.Wait(60000);
    if (pOutput != nullptr) *pOutput = process.Output();
    return ended ? process.ExitCode() : ~0u;
}
