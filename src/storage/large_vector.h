#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace zelt {

// Memory for arrays of a few megabytes and more, asked for on huge pages where the system offers
// them: an array of 10^7 entries would otherwise take a page fault for every 4 KiB on its first
// use, which costs more than the work done with it. Smaller arrays come from operator new.
void* allocateLarge(std::size_t bytes);
void freeLarge(void* memory, std::size_t bytes) noexcept;

template <class T> struct HugePageAllocator {
    using value_type = T;

    HugePageAllocator() = default;
    template <class U> HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(allocateLarge(n * sizeof(T)));
    }
    void deallocate(T* memory, std::size_t n) noexcept { freeLarge(memory, n * sizeof(T)); }

    template <class U> bool operator==(const HugePageAllocator<U>&) const noexcept { return true; }
};

template <class T> using LargeVector = std::vector<T, HugePageAllocator<T>>;

} // namespace zelt
