#pragma once
#include <windows.h>

// The pixels per inch a window is shown at: GetDpiForWindow where the
// system has it (it follows the window's monitor and the process's DPI
// awareness), else the screen's LOGPIXELSX; 96 when neither answers.
int GetWindowDpi(HWND hWnd);

// Sent to child windows after their parent moved to a display of another
// DPI; newer than the system version the headers are set for.
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif
