// Loads the DLL named on the command line, as a host process would, and
// tells by its exit code whether the DLL accepted: 0 loaded, 1 refused,
// 2 bad usage.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vtlload DLL\n");
        return 2;
    }
    HMODULE hModule = ::LoadLibraryA(argv[1]);
    if (hModule == nullptr) {
        std::printf("refused (error %lu)\n", ::GetLastError());
        return 1;
    }
    std::printf("loaded\n");
    ::FreeLibrary(hModule);
    return 0;
}
