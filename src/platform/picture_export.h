// Writing a picture drawn on a canvas to a file: PNG, SVG or PDF by the file's ending.
// The windows' export and the command line share it.
#pragma once

#include <functional>
#include <string>

#include "canvas/canvas.h"

class QPainter;

namespace quarn {

// Draws the whole picture on the canvas it is given, which has the picture's size.
using DrawPicture = std::function<void(Canvas& canvas)>;

// PNG scales a user may ask for: a picture of 1280 x 1024 at 8 is 10240 x 8192 pixels.
constexpr int MinPictureScale = 1;
constexpr int MaxPictureScale = 8;

// How a picture is written beyond its format.
struct PictureOptions {
    // Pixels of a PNG per pixel of the picture. At 1 the PNG is the picture pixel for
    // pixel, as the window shows it; above, it is painted as lines and texts at that
    // size. SVG and PDF are vectors at the picture's size, whatever the scale.
    int scale = 1;
    // A band under the picture naming the design, the date and the program.
    bool titleBlock = false;
    std::string designName;
    // Only the part of the picture drawn on, with a small white margin.
    bool cropToDrawing = false;
};

// The line the title block writes: the design, today's date, the program's version.
std::string titleBlockText(const std::string& designName);

// Writes the picture of that size to the file in the format its name ends in (.png,
// .svg or .pdf, in any case). Returns an empty string on success, else a message for
// the user ("Cannot save PATH: reason"). An existing file is replaced only by a
// complete new one.
std::string savePicture(const std::string& path, int width, int height, const DrawPicture& draw,
                        const PictureOptions& options = {});

// Where a written picture's parts go, in picture pixels: the part of the picture kept
// (all of it unless cropped) and the title band below it (0 high without one).
struct PictureLayout {
    int left = 0, top = 0, width = 0, height = 0;
    int band = 0;
    int totalHeight() const { return height + band; }
};
// Cropping draws the picture once to find what is drawn on. Needs a GUI application
// (the fonts), as does painting.
PictureLayout layOutPicture(int width, int height, const DrawPicture& draw,
                            const PictureOptions& options);

// Paints the laid-out picture through an active painter at `scale` device units per
// picture pixel, the kept part's top left at the painter's origin, as vectors: the
// printer and the vector files draw through it.
void paintPicture(QPainter& painter, double scale, const PictureLayout& layout, int width,
                  int height, const DrawPicture& draw, const PictureOptions& options);

// The name ends in one of the endings written, in any case.
bool isPictureFileName(const std::string& path);
// The part of a file name from its last dot on ("" when it has none), for messages.
std::string fileEnding(const std::string& path);
// The endings written, as "a, b or c", for messages and help.
std::string pictureEndings();

}  // namespace quarn
