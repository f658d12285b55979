// The random numbers of the steam display: R(n), uniform in 0..n-1, reseeded every
// frame. The program seeds from the clock; a test fixes the seed and gets the same
// pixels every run.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <random>

namespace quarn {

class Random {
public:
    // Reseeds from the clock at every reseed().
    Random() = default;
    // Reseeds to this seed at every reseed(), so each frame draws the same numbers.
    explicit Random(std::uint32_t fixedSeed) : fixed(fixedSeed), engine(fixedSeed) {}

    void reseed() {
        engine.seed(fixed ? *fixed
                          : static_cast<std::uint32_t>(
                                std::chrono::steady_clock::now().time_since_epoch().count()));
    }

    // A uniform integer with 0 <= R(n) < n; a span of 0 or less gives 0.
    int below(int n) {
        if (n <= 0) return 0;
        return static_cast<int>(std::uniform_int_distribution<std::uint32_t>(
            0, static_cast<std::uint32_t>(n) - 1)(engine));
    }

private:
    std::optional<std::uint32_t> fixed;
    std::minstd_rand engine{1};
};

}  // namespace quarn
