#include "storage/large_vector.h"

#include <cstdlib>
#include <sys/mman.h>

namespace zelt {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t roundedToHugePages(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

} // namespace

void* allocateLarge(std::size_t bytes) {
    if (bytes < kHugePage)
        return ::operator new(bytes);
    const std::size_t rounded = roundedToHugePages(bytes);
    if (rounded < bytes)
        throw std::bad_alloc();
    void* memory = std::aligned_alloc(kHugePage, rounded);
    if (memory == nullptr)
        throw std::bad_alloc();
    // Only advice: where huge pages are off, the memory works as any other.
    ::madvise(memory, rounded, MADV_HUGEPAGE);
    return memory;
}

void freeLarge(void* memory, std::size_t bytes) noexcept {
    if (bytes < kHugePage)
        ::operator delete(memory);
    else
        std::free(memory);
}

} // namespace zelt
