// The names nearest to a mistyped one, for the "did you mean" of a usage error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarn::cli {

// "; did you mean A?" (or "A or B", "A, B or C") naming the candidates nearest to
// `typed` by the letters added, dropped, changed or swapped, case ignored, when they
// are near enough to be a slip of the keys; empty when none is.
std::string didYouMean(std::string_view typed, const std::vector<std::string>& candidates);

// Whether the two names are the same but for the case of their letters.
bool sameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace quarn::cli
