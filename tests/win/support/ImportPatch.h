#pragma once
#include <windows.h>

// While it lives, this program's calls (or a loaded module's) to a function
// it imports from a DLL go to a stand-in: how a test makes a system call
// fail on purpose, or counts the calls.
class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, void* standIn, HMODULE module = nullptr);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // False when the program does not import the function by name.
    bool IsActive() const { return m_slot != nullptr; }

private:
    static void** FindSlot(HMODULE module, const char* dll, const char* function);
    static void Write(void** slot, void* value);

    void** m_slot;
    void* m_original = nullptr;
};
