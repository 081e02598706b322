#pragma once

// Which effect a drop target grants: the effect the held keys ask for when
// the source offers it, or without keys the first of copy, move and link
// that the source offers. The numbers are those of DROPEFFECT_* and MK_*.
class DropRule {
public:
    enum Effect : unsigned { EffectNone = 0, EffectCopy = 1, EffectMove = 2, EffectLink = 4 };
    enum Key : unsigned { KeyShift = 4, KeyControl = 8 };

    // The effect granted for a drag with data the target accepts (hasData),
    // the key state of the mouse message and the effects the source offers;
    // EffectNone when the drop must be refused.
    static unsigned Settle(bool hasData, unsigned keyState, unsigned offered);

private:
    static unsigned Wanted(unsigned keyState);
};
