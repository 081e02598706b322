#pragma once
#include <cstddef>

// While it lives, this thread's allocations through operator new succeed
// `allowed` times more and then throw std::bad_alloc: how a test runs the
// code out of memory at each of its allocations in turn. The native tests
// replace the global operator new for this.
class AllocationLimit {
public:
    explicit AllocationLimit(size_t allowed);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

    // Whether an allocation has been refused since the limit was set.
    bool Refused() const;
};
