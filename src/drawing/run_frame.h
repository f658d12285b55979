// One frame of the main window after the solve: each feature's model step advances its
// state and its drawing step paints from it, in the order the frame is drawn. What the
// frame needs from the window comes back as plain requests.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "dimension_graphic_drawing.h"
#include "model/gear_model.h"
#include "random.h"

namespace quarn {

// The picture the main window shows, in pixels.
constexpr int FrameWidth = 1280;
constexpr int FrameHeight = 1024;

// A wave file to start without waiting; a volume, when given, is set first on both
// channels (0xFFFF full).
struct SoundRequest {
    std::string file;
    std::optional<std::uint16_t> volume;
    friend bool operator==(const SoundRequest&, const SoundRequest&) = default;
};

// Which dimension dialog the frame wants closed or shown again (the dimension
// graphic closes the dialog whose button started it and reopens it at the end).
enum class DialogRequest { None, CloseFrameDialog, CloseCylinderDialog,
                           ShowFrameDialog, ShowCylinderDialog };

struct FrameRequests {
    std::vector<SoundRequest> sounds;      // in the order the frame asked for them
    bool beep = false;                     // the system beep, at most once a frame
    std::optional<bool> errorItemVisible;  // show or hide the Error menu item
    std::optional<int> undoButtonTop;      // UnDo shown with this top; hidden when empty
    // SBDynVar1..4 enabled (entry 0 unused); set when the panel was drawn.
    std::optional<std::array<bool, 5>> dynVarBarsEnabled;
    DialogRequest dialog = DialogRequest::None;
    // The dimension graphic has ended: the pointer goes back to the default arrow.
    bool defaultPointer = false;
    // Set on every frame that draws a dimension graphic: what it marks in the frame's
    // corner, for the window to keep clear of its controls; empty once it has ended.
    std::optional<DimensionGraphicMarks> dimensionGraphicMarks;
};

// How the frame is drawn beyond what the model says.
struct FrameOptions {
    // The drawing alone, for a saved or printed picture: without the captions of the
    // window's bars (they name controls that are not in the picture) and without the
    // undo line (a note about the window's UnDo button).
    bool drawingOnly = false;
};

// Draws the frame on a canvas of FrameWidth x FrameHeight after solveAndMapFrame and
// the driver's advance: white, [steam], the gear, [overlay], [screen data], [dimension
// graphic]. Steam runs only while SteamDisplayOn is set; the bracketed features know
// their own switches.
FrameRequests RunFrame(GearModel& m, Canvas& canvas, Random& random,
                       const FrameOptions& options = {});

}  // namespace quarn
