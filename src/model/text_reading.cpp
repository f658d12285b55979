// Reading a user's short texts.
#include "text_reading.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace quarn {

std::string_view trimmed(std::string_view s, std::string_view blanks) {
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

std::optional<double> finiteNumber(std::string_view s) {
    const std::string text(s);
    if (text.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace quarn
