#pragma once
#include <ole2.h>

// What travels in a column drag: a movable 4-byte global block holding the
// window handle of the list the drag started in, as a 32-bit value, so a
// list can tell its own drags from those of another list.
class HeaderPayload {
public:
    // Fills the medium with a new block naming the list; false, leaving
    // the medium empty, when the block cannot be made.
    static bool Render(HWND list, STGMEDIUM& medium);

    // Whether the medium is such a block and names this list.
    static bool Names(const STGMEDIUM& medium, HWND list);
};
