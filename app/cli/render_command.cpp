// render: the pictures the program shows, each drawn without a window, written to a
// file and/or printed as its list of primitives.
#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <string>

#include "canvas/primitive_text.h"
#include "canvas/recording_canvas.h"
#include "commands.h"
#include "drawing/frame_mapping.h"
#include "drawing/run_frame.h"
#include "options.h"
#include "picture_file.h"

namespace quarn::cli {
namespace {

// The options of render beyond the shared ones that a picture takes.
struct RenderOptions {
    bool angle = false;  // --angle A
};

// What the command line asked render for.
struct RenderRequest {
    std::optional<std::string> out;  // --out FILE
    bool list = false;               // --list
    double angle = 0;                // --angle A
};

struct Picture {
    const char* name;
    Accepts shared;
    RenderOptions own;
    const char* usage;  // its usage lines, as the help and the README give them
    const char* about;  // one line for the list of pictures in the help
    int width, height;
    // Draws the picture of a design built from the options onto a canvas of its size.
    void (*draw)(GearModel& m, const CommonOptions& common, const RenderRequest& request,
                 Canvas& canvas);
};

void drawFrame(GearModel& m, const CommonOptions& common, const RenderRequest& request,
               Canvas& canvas) {
    m.RevArmPosition = chosenRevArm(m, common);
    m.DriverAngle = static_cast<float>(request.angle);
    solveAndMapFrame(m);
    // A fixed seed: the same options give the same picture, steam and all.
    Random random(1);
    RunFrame(m, canvas, random);
}

constexpr std::array<Picture, 1> pictures{{
    {"frame", {.gearSetting = true, .erieForm = true}, {.angle = true},
     "quarngear-cli render frame [--out FILE.png] [--list] [--file PATH] [--set NAME=VALUE]...\n"
     "                    [--erie] [--revarm X | --gear mid|fwd|rev|min|max] [--angle A]\n",
     "the main window's frame at that gear, the driver at angle A (default 0)",
     FrameWidth, FrameHeight,
     drawFrame},
}};

std::string pictureNames() {
    std::string names;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (i > 0) names += i + 1 == pictures.size() ? " or " : ", ";
        names += pictures[i].name;
    }
    return names;
}

const Picture& findPicture(const Args& args) {
    if (args.empty()) throw UsageError{"needs the picture to draw: " + pictureNames()};
    for (const Picture& p : pictures)
        if (args[0] == p.name) return p;
    throw UsageError{"draws " + pictureNames() + ", not '" + args[0] + "'"};
}

OtherOption renderOption(const RenderOptions& own, RenderRequest& request) {
    return [&own, &request](const std::string& a, const std::string* next) -> int {
        if (a == "--list") {
            request.list = true;
            return 1;
        }
        if (a != "--out" && !(own.angle && a == "--angle")) return 0;
        if (!next) throw UsageError{a + " needs a value"};
        if (a == "--out") {
            request.out = *next;
        } else {
            const auto value = parseNumber(*next);
            if (!value) throw UsageError{"--angle takes a number, not '" + *next + "'"};
            request.angle = *value;
        }
        return 2;
    };
}

const PictureFormat& formatFor(const std::string& path) {
    if (const PictureFormat* format = pictureFormatFor(path)) return *format;
    const std::string ending = fileEnding(path);
    throw UsageError{"--out takes a name ending in " + pictureEndings() +
                     " (in any case), which sets the format; '" + path + "' " +
                     (ending.empty() ? std::string("has no ending") : "ends in " + ending)};
}

}  // namespace

std::string renderUsage() {
    std::string usage;
    for (const Picture& p : pictures) usage += p.usage;
    usage += "  Draws a picture the program shows, with no display needed:\n";
    for (const Picture& p : pictures) {
        std::string row = std::string("    ") + p.name;
        row.resize(std::max<std::size_t>(row.size() + 1, 11), ' ');
        row += std::to_string(p.width) + " x " + std::to_string(p.height);
        row.resize(std::max<std::size_t>(row.size() + 2, 24), ' ');
        usage += row + p.about + "\n";
    }
    usage += "  --out FILE  writes the picture in the format the name ends in, in any case:\n"
             "              " +
             pictureEndings() +
             "; any other ending is refused.\n"
             "  --list      prints the primitives the picture is drawn of, one a line in\n"
             "              drawing order (clear, line, ellipse, arc, pixel, text, each\n"
             "              with its pen or text style and its points), to read or diff.\n"
             "  Give --out, --list or both.\n";
    return usage;
}

void renderCommand(const Args& args, std::ostream& out) {
    const Picture& picture = findPicture(args);
    CommonOptions common;
    RenderRequest request;
    parseOptions(Args(args.begin() + 1, args.end()), common, renderOption(picture.own, request),
                 picture.shared);
    if (!request.out && !request.list) throw UsageError{"needs --out FILE, --list or both"};
    const PictureFormat* format = request.out ? &formatFor(*request.out) : nullptr;

    // Each output draws from a design of its own: drawing a frame advances the
    // model's state, and both must show the same moment.
    const DrawPicture draw = [&](Canvas& canvas) {
        GearModel m;
        buildModel(m, common);
        picture.draw(m, common, request, canvas);
    };
    if (format) format->write(*request.out, picture.width, picture.height, draw);
    if (request.list) {
        RecordingCanvas canvas(picture.width, picture.height);
        draw(canvas);
        writePrimitiveList(out, canvas.items());
    }
}

}  // namespace quarn::cli
