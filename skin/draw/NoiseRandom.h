// A small seedable generator for noise effects, so that a seeded run repeats exactly.
#pragma once

#include <cstdint>

class TNoiseRandom {
public:
    static constexpr uint64_t kDefaultSeed = 0x9E3779B97F4A7C15ull;

    explicit TNoiseRandom(uint64_t seed = kDefaultSeed) : state_(seed) {}
    void Seed(uint64_t seed) { state_ = seed; }

    // Uniform in 0 .. n - 1; 0 when n is 0.
    [[nodiscard]] uint32_t Next(uint32_t n) {
        return static_cast<uint32_t>((static_cast<uint64_t>(Next32()) * n) >> 32);
    }

private:
    // splitmix64: full period over 2^64 states, good enough for visual noise.
    uint32_t Next32() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }

    uint64_t state_;
};
