#include "listctrl/rules/ListColumn.h"

void ListColumn::Normalize(int imageWidth, const DpiScale& scale) {
    if (Title.empty() && Image != -1) {
        Flags |= CELLF_CENTER;
        Width = imageWidth + scale.Scale(5);
    }
    Flags = NormalizeFlags(Flags);
}

unsigned ListColumn::NormalizeFlags(unsigned flags) {
    if (flags & CELLF_CENTER) flags &= ~(CELLF_LEFT | CELLF_RIGHT);
    if (flags & CELLF_RIGHT) flags &= ~CELLF_LEFT;
    if (flags & CELLF_DATE_ONLY) flags &= ~CELLF_TIME_ONLY;
    if (flags & (CELLF_INTEGER | CELLF_DECIMAL))
        flags &= ~CELLF_UPPERCASE;
    else
        flags &= ~(CELLF_SIGNED | CELLF_COMPARATORS);
    if (flags & CELLF_COMBO_EDITABLE)
        flags &= ~(CELLF_DATE_ONLY | CELLF_TIME_ONLY | CELLF_DATE_OPTIONAL);
    return flags;
}
