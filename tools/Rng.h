#pragma once

#include <array> // std::swap of arrays, for callers shuffling them
#include <cstdint>
#include <utility>
#include <vector>

// A small seeded generator (splitmix64). The sample writer uses only this and its own
// range arithmetic, so the same seed gives the same league on every platform and with
// every standard library.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A whole number from lo to hi, both included (lo <= hi). The modulo bias is far
    // below anything a sample league could show.
    int Range(int lo, int hi) {
        const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
        return static_cast<int>(lo + static_cast<std::int64_t>(Next() % span));
    }

    std::uint8_t Byte() { return static_cast<std::uint8_t>(Next() >> 56); }

    // True with the given chance in percent.
    bool Chance(int percent) { return Range(0, 99) < percent; }

    // Fisher-Yates, drawing from this generator.
    template <typename T> void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i) {
            const auto j = static_cast<std::size_t>(Next() % i);
            std::swap(items[i - 1], items[j]);
        }
    }

  private:
    std::uint64_t state_;
};
