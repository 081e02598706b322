#pragma once
#include <cstddef>

// Counts the bytes the program holds through operator new, whose global
// forms this benchmark replaces, and the most it held since the last
// Start: the peak heap of what runs in between.
class HeapCounter {
public:
    static void Start();
    // The most bytes held at once since Start, beyond what was held then.
    static size_t PeakSinceStart();
};
