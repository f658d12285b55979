// The picture formats, one row each: PNG through QImage, SVG through QSvgGenerator,
// PDF through QPdfWriter, every one drawn by the same QtCanvas. Each is written to a
// QSaveFile, so a failed write leaves an existing file as it was.
#include "picture_export.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <QSvgGenerator>
#include <array>

#include "qt_canvas.h"

namespace quarn {
namespace {

// Painting needs no window, but text needs the font database of a GUI application.
// Without one (the command line) the offscreen platform serves; the application is
// kept until the process ends, as every later picture reuses it.
void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quarngear";
    static char* argv[] = {name, nullptr};
    static const QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// Each writer draws into the open save file and says whether that went well.
using Writer = bool (*)(QSaveFile& file, int width, int height, const DrawPicture& draw);

bool writePng(QSaveFile& file, int width, int height, const DrawPicture& draw) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtCanvas canvas(image);  // the picture is complete once the canvas is gone
        draw(canvas);
    }
    return image.save(&file, "PNG");
}

// Draws through a painter on a vector device whose units are the picture's pixels.
bool paintVector(QPaintDevice& device, int width, int height, const DrawPicture& draw) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    {
        QtCanvas canvas(painter, width, height, 1.0);
        draw(canvas);
    }
    return painter.end();
}

bool writeSvg(QSaveFile& file, int width, int height, const DrawPicture& draw) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setResolution(96);
    return paintVector(svg, width, height, draw);
}

bool writePdf(QSaveFile& file, int width, int height, const DrawPicture& draw) {
    QPdfWriter pdf(&file);
    // One point a pixel: the page is the picture.
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(width, height), QPageSize::Point),
                                  QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return paintVector(pdf, width, height, draw);
}

struct PictureFormat {
    const char* ending;  // lower case, with its dot
    Writer write;
};

constexpr std::array<PictureFormat, 3> formats{{
    {".png", writePng},
    {".svg", writeSvg},
    {".pdf", writePdf},
}};

std::string lowerCase(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

const PictureFormat* formatFor(const std::string& path) {
    const std::string ending = lowerCase(fileEnding(path));
    for (const PictureFormat& f : formats)
        if (ending == f.ending) return &f;
    return nullptr;
}

}  // namespace

std::string fileEnding(const std::string& path) {
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return path.substr(dot);
}

bool isPictureFileName(const std::string& path) { return formatFor(path) != nullptr; }

std::string pictureEndings() {
    std::string text;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (i > 0) text += i + 1 == formats.size() ? " or " : ", ";
        text += formats[i].ending;
    }
    return text;
}

std::string savePicture(const std::string& path, int width, int height, const DrawPicture& draw) {
    const std::string cannot = "Cannot save " + path + ": ";
    const PictureFormat* format = formatFor(path);
    if (!format) return cannot + "the name does not end in " + pictureEndings();
    if (width <= 0 || height <= 0) return cannot + "the picture is empty";
    ensureGuiApplication();
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return cannot + file.errorString().toStdString();
    if (!format->write(file, width, height, draw) || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : QStringLiteral("the picture could not be written");
        file.cancelWriting();
        return cannot + reason.toStdString();
    }
    if (!file.commit()) return cannot + file.errorString().toStdString();
    return {};
}

}  // namespace quarn
