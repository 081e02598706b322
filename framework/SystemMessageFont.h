#pragma once
#include <windows.h>

// The font the system uses for message boxes (lfMessageFont of the
// non-client metrics), which the list and its companion windows draw with.
// The metrics are asked for in their original 500-byte form so that the
// call also succeeds on systems older than the headers.
bool GetSystemMessageFont(LOGFONTW& font);
