#include "bench/HeapCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<size_t> g_held{0};
std::atomic<size_t> g_peak{0};
std::atomic<size_t> g_start{0};

void CountAllocated(size_t bytes) {
    const size_t held = g_held.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    size_t peak = g_peak.load(std::memory_order_relaxed);
    while (held > peak && !g_peak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
    }
}

// Each block carries its size in front of it, kept at the alignment that
// operator new promises.
constexpr size_t kHeader = alignof(std::max_align_t);

void* Allocate(size_t bytes) {
    void* block = std::malloc(bytes + kHeader);
    if (block == nullptr)
        return nullptr;
    *static_cast<size_t*>(block) = bytes;
    CountAllocated(bytes);
    return static_cast<char*>(block) + kHeader;
}

void Release(void* pointer) {
    if (pointer == nullptr)
        return;
    void* block = static_cast<char*>(pointer) - kHeader;
    g_held.fetch_sub(*static_cast<size_t*>(block), std::memory_order_relaxed);
    std::free(block);
}
}  // namespace

void HeapCounter::Start() {
    const size_t held = g_held.load();
    g_start.store(held);
    g_peak.store(held);
}

size_t HeapCounter::PeakSinceStart() {
    const size_t peak = g_peak.load();
    const size_t start = g_start.load();
    return peak > start ? peak - start : 0;
}

void* operator new(size_t bytes) {
    if (void* pointer = Allocate(bytes))
        return pointer;
    throw std::bad_alloc();
}

void* operator new[](size_t bytes) {
    return operator new(bytes);
}

void* operator new(size_t bytes, const std::nothrow_t&) noexcept {
    return Allocate(bytes);
}

void* operator new[](size_t bytes, const std::nothrow_t&) noexcept {
    return Allocate(bytes);
}

void operator delete(void* pointer) noexcept {
    Release(pointer);
}

void operator delete[](void* pointer) noexcept {
    Release(pointer);
}

void operator delete(void* pointer, size_t) noexcept {
    Release(pointer);
}

void operator delete[](void* pointer, size_t) noexcept {
    Release(pointer);
}

void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    Release(pointer);
}

void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    Release(pointer);
}
