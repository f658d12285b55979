// Writing a picture to a file in the format its name ends in.
#pragma once

#include <functional>
#include <string>

#include "canvas/canvas.h"

namespace quarn::cli {

// Draws the whole picture on the canvas it is given, which has the picture's size.
using DrawPicture = std::function<void(Canvas& canvas)>;

struct PictureFormat {
    const char* ending;  // lower case, with its dot
    // Draws the picture of that size into the file; WorkError when it cannot be written.
    void (*write)(const std::string& path, int width, int height, const DrawPicture& draw);
};

// The format a file name asks for by its ending, in any case; nullptr when it is none
// that is written.
const PictureFormat* pictureFormatFor(const std::string& path);
// The part of a file name from its last dot on ("" when it has none), for messages.
std::string fileEnding(const std::string& path);
// The endings written, as "a, b or c", for messages and help.
std::string pictureEndings();

}  // namespace quarn::cli
