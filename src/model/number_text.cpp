// Fixed-point number text with a minimum field width.
#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quarn {
namespace {

std::string printed(double x, int decimals) {
    const int n = std::snprintf(nullptr, 0, "%.*f", decimals, x);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), "%.*f", decimals, x);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

// An exact tie rounds away from zero: sixteenths of an inch (5/16 = 0.3125) read 0.313
// on a drawing, where printf's rounding to even would show 0.312. A tie at d decimals
// is a binary value whose exact decimal form ends with a 5 in place d + 1. printf is
// exact, and a value that is not a tie differs from one by at least a unit in its last
// place, about 10^-16 of it, so 25 further digits show it.
std::string fixedText(double x, int decimals) {
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

}  // namespace

std::string Str(double x, int width, int decimals) {
    width = std::clamp(width, 0, 64);
    decimals = std::clamp(decimals, 0, 30);
    if (std::isnan(x) || std::isinf(x)) {
        // A strange dimension may reach a read-out; show it plainly, never crash.
        std::string text = std::isnan(x) ? "NAN" : (x > 0 ? "+INF" : "-INF");
        if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
        return text;
    }
    std::string text = fixedText(x, decimals);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string Str(long long n, int width) {
    width = std::clamp(width, 0, 64);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%*lld", width, n);
    return buf;
}

}  // namespace quarn
