// The date and time as the desktop writes them, for the captions and the pivot table.
#pragma once

#include <string>

namespace quarn {

// Today in the platform's short date format and now in its long time format.
std::string shortDateText();
std::string longTimeText();

// A window caption with the current date and time.
std::string frameCaptionNow(const std::string& prefix, const std::string& dimSetName);

}  // namespace quarn
