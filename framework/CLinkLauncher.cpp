#include "framework/CLinkLauncher.h"

#include <shellapi.h>

#include <utility>

CLinkLauncher::LaunchFunction& CLinkLauncher::Current() {
    static LaunchFunction s_launch = ShellOpen;
    return s_launch;
}

bool CLinkLauncher::Launch(const std::wstring& target) { return Current()(target); }

CLinkLauncher::LaunchFunction CLinkLauncher::Replace(LaunchFunction launch) {
    if (!launch) launch = ShellOpen;
    return std::exchange(Current(), std::move(launch));
}

// ShellExecuteW reports success with a value greater than 32.
bool CLinkLauncher::ShellOpen(const std::wstring& target) {
    const HINSTANCE result = ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr,
                                             SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
