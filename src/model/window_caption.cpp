// The caption text of the program's windows.
#include "window_caption.h"

namespace quarn {

std::string frameCaption(const std::string& prefix, const std::string& dimSetName,
                         const std::string& date, const std::string& time) {
    return prefix + dimSetName + "     " + date + "   " + time + "   " + ProgramVersion;
}

}  // namespace quarn
