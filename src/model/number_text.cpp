// Fixed-point number text with a minimum field width.
#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quarn {

std::string Str(double x, int width, int decimals) {
    width = std::clamp(width, 0, 64);
    decimals = std::clamp(decimals, 0, 30);
    if (std::isnan(x) || std::isinf(x)) {
        // A strange dimension may reach a read-out; show it plainly, never crash.
        std::string text = std::isnan(x) ? "NAN" : (x > 0 ? "+INF" : "-INF");
        if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
        return text;
    }
    char buf[400];
    const int n = std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, x);
    if (n < 0) return {};
    if (n >= static_cast<int>(sizeof buf)) {
        // Only astronomically large values get here; print them in full.
        std::string big(static_cast<std::size_t>(n) + 1, '\0');
        std::snprintf(big.data(), big.size(), "%*.*f", width, decimals, x);
        big.resize(static_cast<std::size_t>(n));
        return big;
    }
    return std::string(buf, static_cast<std::size_t>(n));
}

std::string Str(long long n, int width) {
    width = std::clamp(width, 0, 64);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%*lld", width, n);
    return buf;
}

}  // namespace quarn
