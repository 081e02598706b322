#include "listctrl/rules/DropRule.h"

unsigned DropRule::Wanted(unsigned keyState) {
    const bool control = (keyState & KeyControl) != 0;
    const bool shift = (keyState & KeyShift) != 0;
    if (control && shift) return EffectLink;
    if (control) return EffectCopy;
    if (shift) return EffectMove;
    return EffectNone;
}

unsigned DropRule::Settle(bool hasData, unsigned keyState, unsigned offered) {
    if (!hasData) return EffectNone;
    const unsigned wanted = Wanted(keyState);
    if (wanted != EffectNone) return (offered & wanted) ? wanted : EffectNone;
    const unsigned preferred[] = {EffectCopy, EffectMove, EffectLink};
    for (unsigned effect : preferred)
        if (offered & effect) return effect;
    return EffectNone;
}
