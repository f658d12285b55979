// The name a design goes by in the window titles, taken from the file it was saved
// to or read from.
#pragma once

#include <string>
#include <string_view>

namespace quarn {

// The file's name without its folder (either separator) and without its extension.
// A name without an extension is kept whole.
std::string setNameFromPath(std::string_view path);

}  // namespace quarn
