#pragma once
#include <windows.h>
#include <commctrl.h>

// The image list of a bitmap resource holding square images side by side,
// magenta being transparent, with each image enlarged or reduced to
// size x size pixels. Pixels are repeated or dropped, never blended, so the
// images stay sharp and the magenta key stays exact. Null on a failure.
HIMAGELIST LoadScaledImageList(HINSTANCE resources, int bitmapId, int size);
