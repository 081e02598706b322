#pragma once

// The numbers behind the list's scroll bars. Vertical positions are pixels,
// but the item area always starts with a whole row; horizontal positions
// shift the columns exactly. Request codes are those of the scroll-bar
// messages (line up/left 0 ... end scroll 8).
class ScrollArithmetic {
public:
    enum Request {
        LineBack = 0,
        LineForward = 1,
        PageBack = 2,
        PageForward = 3,
        ThumbPosition = 4,
        ThumbTrack = 5,
        ToStart = 6,
        ToEnd = 7,
        EndScroll = 8
    };

    struct Range {
        int Max;
        int Page;
    };

    static int FirstVisibleRow(int position, int rowHeight);

    // Whole rows that fit in the item area, plus one for a part row when
    // partial rows count; never less than 1.
    static int VisibleRowCount(int itemHeight, int rowHeight, bool partial);

    // Range 0 when the client area holds everything.
    static Range VerticalRange(int headerHeight, int rowCount, int rowHeight, int clientHeight);
    static Range HorizontalRange(int contentWidth, int clientWidth);

    // The new position for a request; false when the request moves nothing
    // (end scroll, an unknown code, a thumb request to where the bar is).
    static bool VerticalTarget(int request, int position, int rowHeight, int itemHeight,
                               int rowCount, int trackPosition, int& target);
    static bool HorizontalTarget(int request, int position, int clientWidth, int contentWidth,
                                 int trackPosition, int& target);

    // Position after a wheel turn of delta (120 a notch) scrolling lines rows a notch.
    static int WheelTarget(int position, int delta, int lines, int rowHeight);
};
