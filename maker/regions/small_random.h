// A tiny pseudo-random generator (SplitMix64) whose sequence is fixed by its
// seed on every platform and standard library, so that the palette found for
// a picture never depends on where it was made.
#pragma once

#include <cstdint>

class SmallRandom {
  public:
    explicit SmallRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1), from the top 53 bits.
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    // Uniform in [0, n) for n > 0 (the bias is below 2^-32 for any n used here).
    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>((next() >> 32) * n >> 32); }

  private:
    std::uint64_t state_;
};
