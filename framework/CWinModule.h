#pragma once
#include <windows.h>
#include <utility>
#include <vector>

class CWindowImplBase;

// The window classes this module registered, with the procedure each class
// falls back to, and the hand-over of a window object to the window being
// created for it on this thread.
class CWinModule {
public:
    // Registers a class whose windows are run by window objects: a new
    // window's first message hands it to the object waiting for a window of
    // that class, if any; from then on the window defaults to superProc.
    // Returns the existing atom when the name is registered.
    static ATOM RegisterObjectClass(WNDCLASSEXW wc, WNDPROC superProc);

    // Unregisters every class registered through this module (at unload).
    static void UnregisterClasses();

    // While it lives, offers a window object to the window being created
    // for it on this thread: the next window of the class `atom` takes it
    // on its first message, or, for atom 0, only ExtractCreateWndData(0)
    // (a property sheet, whose window is of the system's class). Offers made
    // while another waits, for windows created meanwhile, are taken first.
    class CreateWndData {
    public:
        CreateWndData(CWindowImplBase* pObject, ATOM atom);
        ~CreateWndData();
        CreateWndData(const CreateWndData&) = delete;
        CreateWndData& operator=(const CreateWndData&) = delete;

    private:
        friend class CWinModule;
        CWindowImplBase* m_pObject;
        ATOM m_atom;
        CreateWndData* m_pNext;
    };

    // The object of the latest waiting offer for the class, or null.
    static CWindowImplBase* ExtractCreateWndData(ATOM atom);

private:
    static LRESULT CALLBACK StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static ATOM FindRegistered(LPCWSTR className);
    static WNDPROC SuperProcOf(ATOM atom);
    static void Unlink(CreateWndData& data);
    static std::vector<std::pair<ATOM, WNDPROC>>& Classes();
};
