// The random numbers of the steam display: R(n), uniform in 0..n-1, reseeded every
// frame. The program seeds from the clock; a test fixes the seed and gets the same
// pixels every run.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>

namespace quarn {

class Random {
    __extension__ using Wide = unsigned __int128;

public:
    // Reseeds from the clock at every reseed().
    Random() = default;
    // Reseeds to this seed at every reseed(), so each frame draws the same numbers.
    explicit Random(std::uint32_t fixedSeed) : fixed(fixedSeed) { seed(fixedSeed); }

    void reseed() {
        seed(fixed ? *fixed
                   : static_cast<std::uint64_t>(
                         std::chrono::steady_clock::now().time_since_epoch().count()));
    }

    // A uniform integer with 0 <= R(n) < n; a span of 0 or less gives 0. Every call
    // uses up exactly one number of the sequence, whatever n is, so that skip() can
    // pass over draws whose pixel would land off the picture and leave every later
    // draw as it was.
    int below(int n) { return scale(raw(), n); }

    // Passes over `draws` numbers as if below() had been called that many times.
    void skip(std::int64_t draws) {
        if (draws > 0) state += static_cast<std::uint64_t>(draws) * Gamma;
    }

    // below() in two halves, for loops that want to look at a draw before scaling it:
    // the next raw 64-bit number, and R(n) made of it (the top half of value times n,
    // uniform to within n / 2^64).
    std::uint64_t raw() {
        state += Gamma;
        return fold(state);
    }
    // The raw number `ahead` draws after the next one, using none up: a loop can look
    // over a run of draws first and skip() past all of them after.
    std::uint64_t peek(std::uint64_t ahead) const { return fold(state + (ahead + 1) * Gamma); }
    // The same walked by hand, for the hottest loops: the state behind peek(ahead), the
    // step between two draws, and the number a state gives. Adding the step costs less
    // than the multiply in peek().
    std::uint64_t stateAhead(std::uint64_t ahead) const { return state + (ahead + 1) * Gamma; }
    static constexpr std::uint64_t stateStep(std::uint64_t draws) { return draws * Gamma; }
    static std::uint64_t numberAt(std::uint64_t s) { return fold(s); }
    static int scale(std::uint64_t v, int n) {
        if (n <= 0) return 0;
        return static_cast<int>((Wide{v} * static_cast<std::uint64_t>(n)) >> 64);
    }

    // The raw numbers whose R(n) lies in lo..hi: one subtraction and one comparison
    // decide whether a pixel can land, before any multiply.
    class Window {
    public:
        bool contains(std::uint64_t v) const { return !empty && v - first <= span; }

    private:
        friend class Random;
        bool empty = true;
        std::uint64_t first = 0, span = 0;
    };
    static Window window(int n, long long lo, long long hi) {
        Window w;
        if (n <= 0) {  // R(n) is always 0
            w.empty = !(lo <= 0 && 0 <= hi);
            w.span = ~std::uint64_t{0};
            return w;
        }
        lo = std::max(lo, 0LL);
        hi = std::min(hi, static_cast<long long>(n) - 1);
        if (lo > hi) return w;
        // The least v with floor(v * n / 2^64) >= k is ceil(k * 2^64 / n).
        auto least = [n](long long k) {
            return ((Wide{static_cast<std::uint64_t>(k)} << 64) + static_cast<unsigned>(n) - 1) /
                   static_cast<unsigned>(n);
        };
        w.empty = false;
        w.first = static_cast<std::uint64_t>(least(lo));
        w.span = static_cast<std::uint64_t>(least(hi + 1) - 1 - least(lo));
        return w;
    }

private:
    // wyrand: the k-th number is a fold of one wide multiply of the seed plus k steps of
    // a fixed odd gamma. Any number is reached without the ones before it (skip() is
    // one multiply), and no number waits for the last one's mixing: at the closest zoom
    // a frame asks for about a million.
    static constexpr std::uint64_t Gamma = 0xa0761d6478bd642fULL;
    static constexpr std::uint64_t Fold = 0xe7037ed1a0b428dbULL;
    static std::uint64_t fold(std::uint64_t s) {
        const Wide t = Wide{s} * (s ^ Fold);
        return static_cast<std::uint64_t>(t >> 64) ^ static_cast<std::uint64_t>(t);
    }

    void seed(std::uint64_t s) {
        state = s;
        state = raw();
    }

    std::optional<std::uint32_t> fixed;
    std::uint64_t state = 0;
};

}  // namespace quarn
