#pragma once
#include <windows.h>
#include <utility>
#include <vector>

class CWindowImplBase;

// The window classes this module registered, with the procedure each class
// falls back to, and the hand-over of a window object to the window being
// created on this thread.
class CWinModule {
public:
    // Registers a class whose windows are run by window objects: its
    // procedure hands each window to the object being created and defaults
    // to superProc. Returns the existing atom when the name is registered.
    static ATOM RegisterObjectClass(WNDCLASSEXW wc, WNDPROC superProc);

    // Unregisters every class registered through this module (at unload).
    static void UnregisterClasses();

    static void AddCreateWndData(CWindowImplBase* pObject);
    static CWindowImplBase* ExtractCreateWndData();

    // The procedure a window of an object class defaults to.
    static WNDPROC SuperProcOf(HWND hWnd);

private:
    static LRESULT CALLBACK StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static ATOM FindRegistered(LPCWSTR className);
    static std::vector<std::pair<ATOM, WNDPROC>>& Classes();
};
