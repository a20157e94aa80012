#pragma once
// A small seeded generator (splitmix64): the same seed gives the same numbers on every platform, which
// the standard distributions do not promise.
#include <cstdint>

class WorldRng {
public:
    explicit WorldRng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A number in lo..hi (both included).
    int Range(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    // True with the given chance in percent.
    bool Chance(int percent) { return Range(1, 100) <= percent; }

private:
    std::uint64_t state_;
};
