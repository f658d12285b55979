// Number text as the gear's read-outs, lists and fields show it: x with d decimals,
// right-aligned with leading blanks in a field of at least w characters.
#pragma once

#include <string>

namespace quarn {

std::string Str(double x, int width, int decimals);
std::string Str(long long n, int width);
inline std::string Str(int n, int width) { return Str(static_cast<long long>(n), width); }

}  // namespace quarn
