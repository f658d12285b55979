// What a diagram window asks of the main window, handed in by the application so that
// the diagrams never reach into the main window's controls themselves.
#pragma once

#include <functional>
#include <string>

namespace quarn {

struct DiagramHost {
    // Timer1 off while a diagram is open (its tick would move the driver and the arm
    // between the steps of a sweep), on again when the diagram closes.
    std::function<void(bool running)> setTimerRunning;
    // The dynamic-variable switch or the undo history changed: the main window's four
    // bars, their frame panels and its UnDo button follow the model.
    std::function<void()> followDynVars;
    // The caption the main window's last frame wrote for a diagram: the prefix, the set
    // name, the date and time of that frame and the version.
    std::function<std::string(const std::string& prefix)> caption;
};

}  // namespace quarn
