#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Opens addresses in the user's default browser. Every link of the
// component opens its address here, so replacing the way it is done (as
// the tests do, to watch launches without starting a browser) covers them
// all.
class CLinkLauncher {
public:
    // Opens the address; true when the shell reports success.
    using LaunchFunction = std::function<bool(const std::wstring& target)>;

    static bool Launch(const std::wstring& target);

    // Makes Launch call the function instead (an empty one restores the
    // shell); returns the one it replaces.
    static LaunchFunction Replace(LaunchFunction launch);

private:
    // The shell's "open" verb, with no owner window.
    static bool ShellOpen(const std::wstring& target);
    static LaunchFunction& Current();
};
