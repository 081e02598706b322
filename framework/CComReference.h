#pragma once
#include <unknwn.h>

#include "framework/CUniqueHandle.h"

struct ComReleaser {
    template <class I>
    void operator()(I* p) const {
        p->Release();
    }
};

// Sole owner of one COM reference: released on reset and destruction.
template <class I>
using CComReference = CUniqueHandle<I*, ComReleaser>;
