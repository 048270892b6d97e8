// A replaced global operator new that counts, for the allocation test and
// the benchmark. Include it in exactly one file of a binary.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace tavlin::test {
inline std::atomic<long> g_allocations{0};
} // namespace tavlin::test

void* operator new(std::size_t size) {
    ++tavlin::test::g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
