// The picture formats of render, one row each; PNG goes through QImage.
#include "picture_file.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <array>

#include "options.h"
#include "platform/qt_canvas.h"

namespace quarn::cli {
namespace {

// Painting an image needs no window, but text needs the font database of a GUI
// application. Without a display the offscreen platform serves; the application is
// kept until the process ends, as every later picture reuses it.
void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quarngear-cli";
    static char* argv[] = {name, nullptr};
    static const QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

void writePng(const std::string& path, int width, int height, const DrawPicture& draw) {
    ensureGuiApplication();
    QImage image(width, height, QImage::Format_RGB32);
    {
        QtCanvas canvas(image);  // the picture is complete once the canvas is gone
        draw(canvas);
    }
    if (!image.save(QString::fromStdString(path), "PNG"))
        throw WorkError{"cannot write '" + path + "'"};
}

constexpr std::array<PictureFormat, 1> formats{{
    {".png", writePng},
}};

std::string lowerCase(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

std::string fileEnding(const std::string& path) {
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return path.substr(dot);
}

const PictureFormat* pictureFormatFor(const std::string& path) {
    const std::string ending = lowerCase(fileEnding(path));
    for (const PictureFormat& f : formats)
        if (ending == f.ending) return &f;
    return nullptr;
}

std::string pictureEndings() {
    std::string text;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (i > 0) text += i + 1 == formats.size() ? " or " : ", ";
        text += formats[i].ending;
    }
    return text;
}

}  // namespace quarn::cli
