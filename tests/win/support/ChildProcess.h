#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// A program the test starts, with some environment variables set for it
// and its standard output collected. A process still running when the
// object goes is ended.
class ChildProcess {
public:
    using Environment = std::vector<std::pair<std::wstring, std::wstring>>;

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const std::wstring& commandLine, const Environment& overrides = {},
               const std::wstring& folder = std::wstring());
    // True when the process ended within the time.
    bool Wait(DWORD milliseconds);
    DWORD ExitCode() const;
    DWORD Id() const { return m_pi.dwProcessId; }
    const std::string& Output() const { return m_output; }

    // Starts, waits up to a minute and returns the exit code (~0u on a failure to start or end).
    static DWORD Run(const std::wstring& commandLine, std::string* pOutput = nullptr);

private:
    void Drain();

    PROCESS_INFORMATION m_pi{};
    HANDLE m_hOutput = nullptr;
    std::string m_output;
};
