#include "tests/native/support/AllocationLimit.h"

#include <cstdlib>
#include <new>

namespace {
// Allocations still allowed on this thread; negative while there is no limit.
thread_local long long t_allowed = -1;
thread_local bool t_refused = false;

void* Allocate(size_t bytes) {
    if (t_allowed == 0) {
        t_refused = true;
        throw std::bad_alloc();
    }
    if (t_allowed > 0)
        --t_allowed;
    if (void* block = std::malloc(bytes == 0 ? 1 : bytes))
        return block;
    throw std::bad_alloc();
}
}  // namespace

AllocationLimit::AllocationLimit(size_t allowed) {
    t_allowed = static_cast<long long>(allowed);
    t_refused = false;
}

AllocationLimit::~AllocationLimit() {
    t_allowed = -1;
}

bool AllocationLimit::Refused() const {
    return t_refused;
}

void* operator new(size_t bytes) {
    return Allocate(bytes);
}

void* operator new[](size_t bytes) {
    return Allocate(bytes);
}

void* operator new(size_t bytes, const std::nothrow_t&) noexcept {
    try {
        return Allocate(bytes);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](size_t bytes, const std::nothrow_t&) noexcept {
    try {
        return Allocate(bytes);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, size_t) noexcept {
    std::free(block);
}
