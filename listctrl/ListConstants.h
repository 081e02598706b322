#pragma once

// Cell kinds: what every cell of a column shows and how it is edited.
enum : int {
    CELL_PLAIN = 0,
    CELL_EDIT = 1,
    CELL_DATETIME = 2,
    CELL_COMBO = 3,
    CELL_CHECK = 4,
    CELL_TRISTATE = 5,
    CELL_LINK = 6,
    CELL_PROGRESS = 7,
    CELL_OWNERDRAW = 8
};

// Cell flags of a column. The editor bits are only passed on by the list.
enum : unsigned {
    CELLF_LEFT = 0x0001,
    CELLF_RIGHT = 0x0002,
    CELLF_CENTER = 0x0004,
    CELLF_READONLY = 0x0008,
    CELLF_UPPERCASE = 0x0010,
    CELLF_INTEGER = 0x0020,
    CELLF_DECIMAL = 0x0040,
    CELLF_SIGNED = 0x0080,
    CELLF_COMPARATORS = 0x0100,
    CELLF_COMBO_EDITABLE = 0x0200,
    CELLF_DATE_ONLY = 0x0400,
    CELLF_TIME_ONLY = 0x0800,
    CELLF_DATE_OPTIONAL = 0x1000,
    CELLF_PROGRESS_CLASSIC = 0x2000
};

// Zone bits of a point on the header band (HeaderFromPoint).
enum : unsigned { HEADER_ZONE_DIVIDER = 1 };

// Notification codes the list sends to its parent (and GLN_ENDEDIT, which
// the editors send to the list).
enum : int {
    GLN_SELECTED = -1501,
    GLN_LEFTCLICK = -1502,
    GLN_RIGHTCLICK = -1503,
    GLN_DOUBLECLICK = -1504,
    GLN_ENDEDIT = -1505,
    GLN_MODIFIED = -1506,
    GLN_LINKCLICK = -1507
};
