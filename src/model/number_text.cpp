// Fixed-point number text with a minimum field width.
#include "number_text.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace quarn {
namespace {

// An exact tie rounds away from zero: sixteenths of an inch (5/16 = 0.3125) read 0.313
// on a drawing, where printf's rounding to even would show 0.312. Every other value
// rounds to the nearer neighbour of its exact binary value, as printf does.

// The fast road: a double is mant × 2^e exactly, so |x| × 10^d is mant × 5^d × 2^(e+d),
// an integer product and a shift. The bits shifted out tell nearer, farther or tie
// with no rounding of their own. It covers every read-out of the program; the digits
// it cannot hold (more than MaxFastDecimals, or a whole part of 19 digits and more) go
// the slow road below.
__extension__ using Wide = unsigned __int128;

constexpr int MaxFastDecimals = 22;
// Below 2^63, so the rounded value and its carry fit an unsigned 64-bit integer.
constexpr double FastLimit = 9.0e18;

constexpr std::uint64_t pow5(int d) {
    std::uint64_t p = 1;
    for (int i = 0; i < d; ++i) p *= 5;
    return p;
}

// |x| × 10^d rounded, ties away from zero; false when it would not fit.
bool roundedScaled(double ax, int decimals, std::uint64_t& out) {
    static constexpr double pow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (decimals > MaxFastDecimals || !(ax * pow10[decimals] < FastLimit)) return false;
    const auto bits = std::bit_cast<std::uint64_t>(ax);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t mant = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074;  // subnormal
    if (biased != 0) {
        mant |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    const Wide product = Wide{mant} * pow5(decimals);  // below 2^53 × 5^22 < 2^105
    const int shift = e + decimals;
    if (shift >= 0) {
        out = static_cast<std::uint64_t>(product << shift);  // below FastLimit: fits
        return true;
    }
    const int s = -shift;
    if (s >= 106) {  // the product is below half a unit: rounds to 0
        out = 0;
        return true;
    }
    const Wide unit = Wide{1} << s;
    const Wide rest = product & (unit - 1);
    out = static_cast<std::uint64_t>(product >> s) + (rest >= unit / 2 ? 1 : 0);
    return true;
}

// The digits of n with a point before the last d of them, at least one digit before it.
std::size_t writeFixed(std::uint64_t n, int decimals, bool negative, char* buf) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (count < decimals + 1) digits[count++] = '0';
    std::size_t len = 0;
    if (negative) buf[len++] = '-';
    for (int i = count - 1; i >= 0; --i) {
        buf[len++] = digits[i];
        if (i == decimals && decimals > 0) buf[len++] = '.';
    }
    return len;
}

std::string printed(double x, int decimals) {
    const int n = std::snprintf(nullptr, 0, "%.*f", decimals, x);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), "%.*f", decimals, x);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

// The slow road: printf is exact, and a value that is not a tie differs from one by at
// least a unit in its last place, about 10^-16 of it, so 25 further digits show it.
std::string slowFixedText(double x, int decimals) {
    const std::string longer = printed(std::fabs(x), decimals + 25);
    const std::size_t point = longer.find('.');
    const std::string beyond = longer.substr(point + 1 + std::size_t(decimals));
    const bool tie = beyond[0] == '5' && beyond.find_first_not_of('0', 1) == std::string::npos;
    if (!tie) return printed(x, decimals);
    // Keep the digits up to place d and add one unit in the last of them.
    std::string kept = longer.substr(0, point + 1 + std::size_t(decimals));
    if (decimals == 0) kept.pop_back();  // no point when there are no decimals
    int i = static_cast<int>(kept.size()) - 1;
    for (; i >= 0; --i) {
        if (kept[std::size_t(i)] == '.') continue;
        if (kept[std::size_t(i)] != '9') {
            ++kept[std::size_t(i)];
            break;
        }
        kept[std::size_t(i)] = '0';
    }
    if (i < 0) kept.insert(0, 1, '1');
    return (std::signbit(x) ? "-" : "") + kept;
}

std::string padded(const char* text, std::size_t len, int width) {
    const std::size_t fill = static_cast<std::size_t>(width) > len ? std::size_t(width) - len : 0;
    std::string out(fill, ' ');
    out.append(text, len);
    return out;
}

}  // namespace

std::string Str(double x, int width, int decimals) {
    width = std::clamp(width, 0, 64);
    decimals = std::clamp(decimals, 0, 30);
    if (std::isnan(x) || std::isinf(x)) {
        // A strange dimension may reach a read-out; show it plainly, never crash.
        const char* text = std::isnan(x) ? "NAN" : (x > 0 ? "+INF" : "-INF");
        return padded(text, std::char_traits<char>::length(text), width);
    }
    // A zero that arithmetic gave a sign (a point on the axis, the sine of 0 times a
    // negative length) is no less zero: it reads as 0, not as "-0.000".
    if (x == 0) x = 0.0;
    std::uint64_t scaled = 0;
    if (roundedScaled(std::fabs(x), decimals, scaled)) {
        // Pascal's Str writes the sign of every other negative value, also of one that
        // shows as 0: -0.0004 at three decimals reads "-0.000".
        char buf[48];
        const std::size_t len = writeFixed(scaled, decimals, std::signbit(x), buf);
        return padded(buf, len, width);
    }
    const std::string text = slowFixedText(x, decimals);
    return padded(text.data(), text.size(), width);
}

std::string Str(long long n, int width) {
    width = std::clamp(width, 0, 64);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%*lld", width, n);
    return buf;
}

}  // namespace quarn
