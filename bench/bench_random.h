#pragma once

#include <cstdint>

namespace zelt::bench {

// splitmix64: a small generator whose sequence is the same on every compiler and library, so a
// seed always gives the same data.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A whole number from 0 to bound - 1 (bound > 0); the slight bias of the modulo is of no
    // matter for test data.
    std::uint64_t below(std::uint64_t bound) { return next() % bound; }

    // A whole number from low to high, both included.
    std::int64_t between(std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(below(static_cast<std::uint64_t>(high - low + 1)));
    }

    // True with the given chance in a thousand.
    bool perMille(unsigned chance) { return below(1000) < chance; }

private:
    std::uint64_t state_;
};

} // namespace zelt::bench
