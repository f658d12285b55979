// Edit distance between names, for suggestions on a mistyped dimension or option.
#include "nearest_names.h"

#include <algorithm>
#include <cctype>

namespace quarn::cli {
namespace {

char folded(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Letters added, dropped or changed, and two neighbours swapped, each one step: the
// slips a typist makes ("Strok", "Stroek", "stroke").
std::size_t editDistance(std::string_view a, std::string_view b) {
    const std::size_t n = b.size();
    std::vector<std::size_t> before(n + 1), previous(n + 1), current(n + 1);
    for (std::size_t j = 0; j <= n; ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= n; ++j) {
            const bool same = folded(a[i - 1]) == folded(b[j - 1]);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
            const bool swapped = i > 1 && j > 1 && folded(a[i - 1]) == folded(b[j - 2]) &&
                                 folded(a[i - 2]) == folded(b[j - 1]);
            if (swapped) current[j] = std::min(current[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(current);
    }
    return previous[n];
}

}  // namespace

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return folded(x) == folded(y); });
}

std::string didYouMean(std::string_view typed, const std::vector<std::string>& candidates) {
    // One slip in three letters, at least one: farther than that the name was not
    // mistyped but is another one, and a guess would only mislead.
    const std::size_t allowed = std::max<std::size_t>(1, typed.size() / 3);
    // More than three names would be a list, not a suggestion.
    constexpr std::size_t MaxSuggestions = 3;
    std::size_t best = allowed + 1;
    std::vector<std::string> nearest;
    for (const std::string& c : candidates) {
        const std::size_t d = editDistance(typed, c);
        if (d > allowed) continue;
        if (d < best) {
            best = d;
            nearest.clear();
        }
        if (d == best && nearest.size() < MaxSuggestions) nearest.push_back(c);
    }
    if (nearest.empty()) return "";
    std::string text = "; did you mean ";
    for (std::size_t i = 0; i < nearest.size(); ++i) {
        if (i > 0) text += i + 1 == nearest.size() ? " or " : ", ";
        text += nearest[i];
    }
    return text + "?";
}

}  // namespace quarn::cli
