// render frame: the picture the main window shows for one state of the gear, as PNG.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <optional>
#include <ostream>

#include "commands.h"
#include "drawing/run_frame.h"
#include "drawing/frame_mapping.h"
#include "options.h"
#include "platform/qt_canvas.h"

namespace quarn::cli {
namespace {

// Painting an image needs no window, but text needs the font database of a GUI
// application. Without a display the offscreen platform serves; the application is
// kept until the process ends, as every later render reuses it.
void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quarngear-cli";
    static char* argv[] = {name, nullptr};
    static const QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

}  // namespace

void renderCommand(const Args& args, std::ostream&) {
    if (args.empty() || args[0] != "frame")
        throw UsageError{"render draws 'frame'" +
                         (args.empty() ? std::string() : std::string(", not '") + args[0] + "'")};
    CommonOptions common;
    std::optional<std::string> outPath;
    double angle = 0;
    parseOptions(
        Args(args.begin() + 1, args.end()), common,
        [&](const std::string& a, const std::string* next) -> int {
            if (a != "--out" && a != "--angle") return 0;
            if (!next) throw UsageError{a + " needs a value"};
            if (a == "--out") {
                outPath = *next;
            } else {
                const auto value = parseNumber(*next);
                if (!value) throw UsageError{"--angle takes a number, not '" + *next + "'"};
                angle = *value;
            }
            return 2;
        },
        {.gearSetting = true, .erieForm = true});
    if (!outPath || outPath->empty()) throw UsageError{"--out FILE.png is required"};

    GearModel m;
    buildModel(m, common);
    m.RevArmPosition = chosenRevArm(m, common);
    m.DriverAngle = static_cast<float>(angle);
    SolveAndMapFrame(m);

    ensureGuiApplication();
    QImage image(FrameWidth, FrameHeight, QImage::Format_RGB32);
    {
        QtCanvas canvas(image);
        Random random(1);
        RunFrame(m, canvas, random);
    }
    if (!image.save(QString::fromStdString(*outPath), "PNG"))
        throw WorkError{"cannot write '" + *outPath + "'"};
}

}  // namespace quarn::cli
