// Reading the short texts a user types or keeps beside a design: working points, goals,
// a tolerance table's lines.
#pragma once

#include <optional>
#include <string_view>

namespace quarn {

// `s` without the given characters at either end (by default blanks and tabs).
std::string_view trimmed(std::string_view s, std::string_view blanks = " \t");

// The whole of `s` as a finite number; empty when anything is left over, it is out of
// range, or it is not a number.
std::optional<double> finiteNumber(std::string_view s);

}  // namespace quarn
