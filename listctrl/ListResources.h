#pragma once
// Resource numbers of the list: the image list of ten 16x16 images and the
// column-divider and link cursors.
#define IDB_LIST_IMAGES 240
#define IDC_LIST_DIVIDER 241
#define IDC_LIST_LINK 243
