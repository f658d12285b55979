// The set name rule for saved and opened designs.
#include "set_name.h"

namespace quarn {

std::string setNameFromPath(std::string_view path) {
    // Designs travel between systems, so a path may use either separator.
    const auto slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    // A leading dot starts a hidden name, not an extension.
    const auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

}  // namespace quarn
