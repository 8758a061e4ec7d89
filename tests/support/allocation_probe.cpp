#include "support/allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_largest{0};
std::atomic<std::size_t> g_total{0};

void* CountedAllocation(std::size_t size) noexcept {
    g_total += size;
    std::size_t seen = g_largest.load();
    while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
    }
    return std::malloc(size ? size : 1);
}

void* CountedAllocationOrThrow(std::size_t size) {
    if (void* p = CountedAllocation(size)) {
        return p;
    }
    throw std::bad_alloc();
}

}  // namespace

namespace testsupport {

void ResetLargestAllocation() {
    g_largest = 0;
    g_total = 0;
}
std::size_t LargestAllocation() {
    return g_largest.load();
}
std::size_t TotalAllocation() {
    return g_total.load();
}

}  // namespace testsupport

// Every form allocates with malloc and frees with free, so that a sanitizer never sees one form
// allocate and another release; GCC cannot see the pairing.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    return CountedAllocationOrThrow(size);
}
void* operator new[](std::size_t size) {
    return CountedAllocationOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAllocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAllocation(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
