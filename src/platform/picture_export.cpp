// The picture formats, one row each: PNG through QImage, SVG through QSvgGenerator,
// PDF through QPdfWriter, every one drawn by the same QtCanvas. Each is written to a
// QSaveFile, so a failed write leaves an existing file as it was.
#include "picture_export.h"

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <QSvgGenerator>
#include <algorithm>
#include <array>

#include "model/window_caption.h"
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

// The title band: a rule, then one line of text, in the frame's own font.
constexpr int TitleBandHeight = 20;
constexpr int TitleTextLeft = 6, TitleTextTop = 5;
// White kept round the drawing when a picture is cropped to it.
constexpr int CropMargin = 8;

void drawTitleBlock(Canvas& canvas, const std::string& text) {
    canvas.clear(colors::White);
    canvas.setPenColor(colors::Grey);
    canvas.setPenWidth(1);
    canvas.line(0, 0, canvas.width(), 0);
    canvas.text(TitleTextLeft, TitleTextTop, text, TextStyle{});
}

// The picture drawn pixel for pixel, as the window shows it.
QImage pixelPicture(int width, int height, const DrawPicture& draw, QRect* inked = nullptr) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtCanvas canvas(image);  // the picture is complete once the canvas is gone
        draw(canvas);
        if (inked) *inked = canvas.inkedBounds();
    }
    return image;
}

PictureLayout layoutFromInk(int width, int height, QRect inked, const PictureOptions& options) {
    const QRect whole(0, 0, width, height);
    QRect part = whole;
    if (options.cropToDrawing) {
        const QRect kept = inked.adjusted(-CropMargin, -CropMargin, CropMargin, CropMargin) & whole;
        if (!kept.isEmpty()) part = kept;
    }
    return {part.left(), part.top(), part.width(), part.height(),
            options.titleBlock ? TitleBandHeight : 0};
}

// Each writer draws into the open save file and says whether that went well.
using Writer = bool (*)(QSaveFile& file, int width, int height, const DrawPicture& draw,
                        const PictureOptions& options);

bool writePng(QSaveFile& file, int width, int height, const DrawPicture& draw,
              const PictureOptions& options) {
    const int scale = std::clamp(options.scale, MinPictureScale, MaxPictureScale);
    if (scale == 1) {
        // Pixel for pixel: the part kept is cut from the picture as the window draws
        // it, and the title band drawn the same way beneath.
        QRect inked;
        const QImage whole = pixelPicture(width, height, draw, &inked);
        const PictureLayout l = layoutFromInk(width, height, inked, options);
        if (l.band == 0 && l.width == width && l.height == height) return whole.save(&file, "PNG");
        QImage image(l.width, l.totalHeight(), QImage::Format_RGB32);
        {
            QPainter p(&image);
            p.drawImage(0, 0, whole, l.left, l.top, l.width, l.height);
        }
        if (l.band > 0) {
            const QImage band = pixelPicture(l.width, l.band, [&](Canvas& c) {
                drawTitleBlock(c, titleBlockText(options.designName));
            });
            QPainter p(&image);
            p.drawImage(0, l.height, band);
        }
        return image.save(&file, "PNG");
    }
    const PictureLayout l = layOutPicture(width, height, draw, options);
    QImage image(l.width * scale, l.totalHeight() * scale, QImage::Format_RGB32);
    if (image.isNull()) return false;
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintPicture(painter, scale, l, width, height, draw, options);
    }
    return image.save(&file, "PNG");
}

// Draws through a painter on a vector device whose units are the picture's pixels.
bool paintVector(QPaintDevice& device, const PictureLayout& l, int width, int height,
                 const DrawPicture& draw, const PictureOptions& options) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    paintPicture(painter, 1.0, l, width, height, draw, options);
    return painter.end();
}

bool writeSvg(QSaveFile& file, int width, int height, const DrawPicture& draw,
              const PictureOptions& options) {
    const PictureLayout l = layOutPicture(width, height, draw, options);
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(l.width, l.totalHeight()));
    svg.setViewBox(QRect(0, 0, l.width, l.totalHeight()));
    svg.setResolution(96);
    if (options.titleBlock) svg.setTitle(QString::fromStdString(titleBlockText(options.designName)));
    return paintVector(svg, l, width, height, draw, options);
}

bool writePdf(QSaveFile& file, int width, int height, const DrawPicture& draw,
              const PictureOptions& options) {
    const PictureLayout l = layOutPicture(width, height, draw, options);
    QPdfWriter pdf(&file);
    // One point a pixel: the page is the picture.
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(l.width, l.totalHeight()), QPageSize::Point),
                                  QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    if (options.titleBlock) pdf.setTitle(QString::fromStdString(titleBlockText(options.designName)));
    return paintVector(pdf, l, width, height, draw, options);
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

std::string titleBlockText(const std::string& designName) {
    const std::string date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    return designName + "     " + date + "     quarngear " + ProgramVersion;
}

PictureLayout layOutPicture(int width, int height, const DrawPicture& draw,
                            const PictureOptions& options) {
    QRect inked;
    if (options.cropToDrawing) pixelPicture(width, height, draw, &inked);
    return layoutFromInk(width, height, inked, options);
}

void paintPicture(QPainter& painter, double scale, const PictureLayout& layout, int width,
                  int height, const DrawPicture& draw, const PictureOptions& options) {
    painter.save();
    // The clip keeps a cropped picture's white clear from reaching past its part.
    painter.setClipRect(QRectF(0, 0, layout.width * scale, layout.height * scale),
                        Qt::IntersectClip);
    painter.translate(-layout.left * scale, -layout.top * scale);
    {
        QtCanvas canvas(painter, width, height, scale);
        draw(canvas);
    }
    painter.restore();
    if (layout.band == 0) return;
    painter.save();
    painter.translate(0, layout.height * scale);
    {
        QtCanvas canvas(painter, layout.width, layout.band, scale);
        drawTitleBlock(canvas, titleBlockText(options.designName));
    }
    painter.restore();
}

std::string savePicture(const std::string& path, int width, int height, const DrawPicture& draw,
                        const PictureOptions& options) {
    const std::string cannot = "Cannot save " + path + ": ";
    const PictureFormat* format = formatFor(path);
    if (!format) return cannot + "the name does not end in " + pictureEndings();
    if (width <= 0 || height <= 0) return cannot + "the picture is empty";
    ensureGuiApplication();
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return cannot + file.errorString().toStdString();
    if (!format->write(file, width, height, draw, options) || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : QStringLiteral("the picture could not be written");
        file.cancelWriting();
        return cannot + reason.toStdString();
    }
    if (!file.commit()) return cannot + file.errorString().toStdString();
    return {};
}

}  // namespace quarn
