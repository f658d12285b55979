// render: the pictures the program shows, each drawn without a window, written to a
// file and/or printed as its list of primitives.
#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <ostream>
#include <string>

#include "canvas/primitive_text.h"
#include "canvas/recording_canvas.h"
#include "command_line.h"
#include "commands.h"
#include "drawing/frame_mapping.h"
#include "drawing/run_frame.h"
#include "drawing/tick.h"
#include "model/dimension_graphic.h"
#include "model/motion.h"
#include "options.h"
#include "platform/picture_export.h"

namespace quarn::cli {
namespace {

// More ticks than a minute of the window at its pace would only keep the command busy;
// every state of the frame comes round well within it.
constexpr long long MaxTicks = 100000;

// The options of render beyond the shared ones that a picture takes.
struct RenderOptions {
    bool angle = false;   // --angle A
    bool motion = false;  // --steam, --ticks N
};

// What the command line asked render for.
struct RenderRequest {
    std::optional<std::string> out;  // --out FILE
    bool list = false;               // --list
    double angle = 0;                // --angle A
    bool steam = false;              // --steam
    std::optional<int> ticks;        // --ticks N
    int showDimension = 0;           // --show-dimension N
    std::optional<int> graphicFrame;  // --frame F
    bool drawingOnly = false;         // --drawing-only
};

// The surface of the ticks before the one shown: the frame is worked out in full,
// nothing is kept of its picture.
class UnseenCanvas final : public Canvas {
public:
    UnseenCanvas(int width, int height) : w(width), h(height) {}
    int width() const override { return w; }
    int height() const override { return h; }
    void clear(Color) override {}
    void setPenColor(Color c) override { pen = c; }
    void setPenWidth(int width) override { penW = width; }
    Color penColor() const override { return pen; }
    int penWidth() const override { return penW; }
    void moveTo(int, int) override {}
    void lineTo(int, int) override {}
    void ellipse(int, int, int, int) override {}
    void arc(int, int, int, int, int, int, int, int) override {}
    void setPixel(int, int, Color) override {}
    void text(int, int, const std::string&, const TextStyle&) override {}

private:
    int w, h;
    Color pen = colors::Black;
    int penW = 1;
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
    setDirectionFromRevArm(m);
    m.DriverAngle = static_cast<float>(request.angle);
    if (request.steam) m.SteamDisplayOn = 1;
    // A fixed seed: the same options give the same picture, steam and all.
    Random random(1);
    const FrameOptions options{.drawingOnly = request.drawingOnly};
    if (request.showDimension != 0) {
        // As the window shows it after the small button: the graphic starts at the next
        // frame, the gear standing; frames before the one asked for are not kept.
        startDimensionGraphic(m, request.showDimension);
        UnseenCanvas unseen(canvas.width(), canvas.height());
        for (int k = 1; k < request.graphicFrame.value_or(1); ++k) {
            solveAndMapFrame(m);
            RunFrame(m, unseen, random);
        }
        solveAndMapFrame(m);
        RunFrame(m, canvas, random, options);
        return;
    }
    if (!request.ticks) {
        // The gear standing at the angle: no advance before the drawing.
        solveAndMapFrame(m);
        RunFrame(m, canvas, random, options);
        return;
    }
    UnseenCanvas unseen(canvas.width(), canvas.height());
    for (int k = 0; k < *request.ticks; ++k) runTick(m, unseen, random);
    runTick(m, canvas, random, options);
}

int parseShownDimension(const std::string& text) {
    const auto value = parseNumber(text);
    if (!value || *value != double(int(*value)) || !dimensionGraphicCase(int(*value)))
        throw UsageError{"--show-dimension takes a dimension's code, 1 to 30 (frame) or 101 to "
                         "117 (cylinder), not '" + text + "'"};
    return int(*value);
}

constexpr std::array<Picture, 1> pictures{{
    {"frame", {.gearSetting = true, .erieForm = true}, {.angle = true, .motion = true},
     "quarngear-cli render frame [--out FILE.png|.svg|.pdf] [--list] [--file PATH]\n"
     "                    [--set NAME=VALUE]...\n"
     "                    [--erie] [--revarm X | --gear mid|fwd|rev|min|max] [--angle A]\n"
     "                    [--steam] [--ticks N | --show-dimension N [--frame F]]\n"
     "                    [--scale N] [--title] [--drawing-only]\n",
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

// The options of render itself, as typed.
struct RenderTexts {
    bool list = false, steam = false, drawingOnly = false;
    PictureTexts picture;
    std::optional<std::string> out, angle, ticks, showDimension, graphicFrame;
};

void declareRenderOptions(CommandLine& line, const RenderOptions& own, RenderTexts& t) {
    line.value("--out", t.out);
    line.flag("--list", t.list);
    declarePictureOptions(line, t.picture);
    if (own.angle) line.value("--angle", t.angle);
    line.flag("--drawing-only", t.drawingOnly);
    if (!own.motion) return;
    line.flag("--steam", t.steam);
    line.value("--ticks", t.ticks);
    line.value("--show-dimension", t.showDimension);
    line.value("--frame", t.graphicFrame);
}

RenderRequest readRequest(const RenderTexts& t) {
    RenderRequest r;
    r.out = t.out;
    r.list = t.list;
    r.steam = t.steam;
    r.drawingOnly = t.drawingOnly;
    if (t.angle) {
        const auto value = parseNumber(*t.angle);
        if (!value) throw UsageError{"--angle takes a number, not '" + *t.angle + "'"};
        r.angle = *value;
    }
    if (t.ticks) r.ticks = wholeCount("--ticks", *t.ticks, 0, MaxTicks);
    if (t.showDimension) r.showDimension = parseShownDimension(*t.showDimension);
    if (t.graphicFrame)
        r.graphicFrame = wholeCount("--frame", *t.graphicFrame, 1, DimensionGraphicLength);
    return r;
}

}  // namespace

void checkPictureName(const std::string& path) {
    if (isPictureFileName(path)) return;
    const std::string ending = fileEnding(path);
    throw UsageError{"--out takes a name ending in " + pictureEndings() +
                     " (in any case), which sets the format; '" + path + "' " +
                     (ending.empty() ? std::string("has no ending") : "ends in " + ending)};
}

void writePicture(const std::string& path, int width, int height, const DrawPicture& draw,
                  const PictureOptions& options) {
    const std::string failed = savePicture(path, width, height, draw, options);
    if (!failed.empty()) throw WorkError{failed};
}

void declarePictureOptions(CommandLine& line, PictureTexts& t) {
    line.value("--scale", t.scale);
    line.flag("--title", t.title);
}

PictureOptions readPictureOptions(const PictureTexts& t, const std::optional<std::string>& out,
                                  const std::string& designName) {
    if (!out && (t.scale || t.title))
        throw UsageError{std::string(t.scale ? "--scale" : "--title") +
                         " is a choice of the picture written by --out FILE"};
    // An SVG or PDF is lines and texts, sharp at any size: a scale would be quietly lost.
    std::string ending = out ? fileEnding(*out) : "";
    std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
    if (t.scale && out && ending != ".png")
        throw UsageError{"--scale is a choice of a PNG picture; an SVG or PDF is sharp at any size"};
    PictureOptions options;
    if (t.scale)
        options.scale = wholeCount("--scale", *t.scale, MinPictureScale, MaxPictureScale);
    options.titleBlock = t.title;
    options.designName = designName;
    return options;
}

const char pictureOptionsUsage[] =
    "  --scale N   a PNG of N pixels for each pixel of the picture, 1 to 8 (default 1,\n"
    "              the picture as the window shows it); above 1 it is painted as lines\n"
    "              and texts at that size. SVG and PDF are always lines, curves and\n"
    "              texts, sharp at any size.\n"
    "  --title     adds a title block under the picture: the design's name, the date\n"
    "              and the program's version.\n";

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
             "              drawing order, to read or diff (the clear of the surface\n"
             "              before them has no line):\n"
             "                line X1 Y1 X2 Y2 #rrggbb WIDTH\n"
             "                ellipse LEFT TOP RIGHT BOTTOM #rrggbb WIDTH\n"
             "                arc LEFT TOP RIGHT BOTTOM X3 Y3 X4 Y4 #rrggbb WIDTH\n"
             "                pixel X Y #rrggbb\n"
             "                text X Y #rrggbb SIZE normal|bold clear|opaque \"TEXT\"\n"
             "              with a double quote inside TEXT written twice.\n"
             "  Give --out, --list or both.\n";
    usage += pictureOptionsUsage;
    usage +=
             "  --drawing-only\n"
             "              the frame without the captions of the window's bars and the\n"
             "              undo line, the picture cut to what is drawn (--list: the same\n"
             "              frame, uncut).\n"
             "  The frame:\n"
             "  --steam     switches the steam display on.\n"
             "  --ticks N   runs N ticks of the main loop first, the driver turning at the\n"
             "              start-up step of 10 degrees from angle A (backwards on the\n"
             "              reverse side of mid gear), with the steam levels, beats and\n"
             "              the live cut-off moving on; the picture is then the frame the\n"
             "              next tick draws: the gear solved before that tick's advance,\n"
             "              the read-outs of the advanced angle, as the window shows it.\n"
             "              Without --ticks the gear stands at A, read-outs and all.\n"
             "  --show-dimension N\n"
             "              shows where dimension N lies on the gear, as its small button\n"
             "              in a dimension dialog does: N is the row, 1 to 30, of the frame\n"
             "              dimensions or 100 + the row, 101 to 117, of the cylinder's.\n"
             "  --frame F   the F-th frame of that graphic (1 to 1000, default 1); the\n"
             "              line blinks, three frames red and three black.\n";
    return usage;
}

void renderCommand(const Args& args, std::ostream& out, std::ostream& err) {
    const Picture& picture = findPicture(args);
    CommandLine line;
    const SharedOptions shared(line, picture.shared);
    RenderTexts texts;
    declareRenderOptions(line, picture.own, texts);
    line.parse(Args(args.begin() + 1, args.end()));
    const CommonOptions common = shared.read();
    const RenderRequest request = readRequest(texts);
    if (!request.out && !request.list) throw UsageError{"needs --out FILE, --list or both"};
    if (request.showDimension != 0 && request.ticks)
        throw UsageError{"--show-dimension shows the gear standing; it does not go with --ticks"};
    if (request.graphicFrame && request.showDimension == 0)
        throw UsageError{"--frame is a frame of the graphic of --show-dimension N"};
    if (request.out) checkPictureName(*request.out);
    PictureOptions options = readPictureOptions(texts.picture, request.out, "");
    options.cropToDrawing = request.drawingOnly;

    // Each output draws from a copy of its own: drawing a frame advances the model's
    // state, and both must show the same moment.
    GearModel built;
    buildModel(built, common, err);
    const DrawPicture draw = [&](Canvas& canvas) {
        GearModel m = built;
        picture.draw(m, common, request, canvas);
    };
    options.designName = built.DimSetName;
    if (request.out) writePicture(*request.out, picture.width, picture.height, draw, options);
    if (request.list) {
        RecordingCanvas canvas(picture.width, picture.height);
        draw(canvas);
        writePrimitiveList(out, canvas.items());
    }
}

}  // namespace quarn::cli
