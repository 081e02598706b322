#pragma once
#include <ole2.h>

#include "framework/CUnknownImpl.h"

// The source side of a column drag: goes on while a mouse button is held,
// drops when both are up, cancels on Escape; the system draws the cursors.
class CDropSource : public CUnknownImpl<IDropSource, IID_IDropSource> {
public:
    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;
};
