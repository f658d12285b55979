// What the design windows need from the main window, as plain hooks.
#pragma once

#include <functional>
#include <string>

namespace quarn {

struct DesignHost {
    // The equaliser wrote new dimensions and the gear is back at mid gear: the window's
    // reverse-arm bar, dynamic-variable bars and read-outs follow, as after a dimension
    // dialog's Close.
    std::function<void()> designApplied;
    // The file the design was opened from or saved to ("" for none): the tolerance
    // study keeps its table beside it.
    std::function<std::string()> designPath = {};
};

}  // namespace quarn
