// Writing a picture drawn on a canvas to a file: PNG, SVG or PDF by the file's ending.
// The windows' export and the command line share it.
#pragma once

#include <functional>
#include <string>

#include "canvas/canvas.h"

namespace quarn {

// Draws the whole picture on the canvas it is given, which has the picture's size.
using DrawPicture = std::function<void(Canvas& canvas)>;

// Writes the picture of that size to the file in the format its name ends in (.png,
// .svg or .pdf, in any case). Returns an empty string on success, else a message for
// the user ("Cannot save PATH: reason"). An existing file is replaced only by a
// complete new one.
std::string savePicture(const std::string& path, int width, int height, const DrawPicture& draw);

// The name ends in one of the endings written, in any case.
bool isPictureFileName(const std::string& path);
// The part of a file name from its last dot on ("" when it has none), for messages.
std::string fileEnding(const std::string& path);
// The endings written, as "a, b or c", for messages and help.
std::string pictureEndings();

}  // namespace quarn
