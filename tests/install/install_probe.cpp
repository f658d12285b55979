// Asks an installed tree what the program would see there. Copied into <prefix>/bin by
// the install test, so that the data-file lookup starts from an installed program's folder.
//   install_probe find NAME        prints where the program finds NAME ("" when nowhere)
//   install_probe svg FILE OUT.png  renders an icon; fails when it is not a drawable SVG
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstring>

#include "platform/resources.h"

namespace {

// Fails on an SVG that does not parse or draws nothing at all.
int renderIcon(const char* file, const char* out) {
    QSvgRenderer svg{QString::fromLocal8Bit(file)};
    if (!svg.isValid()) {
        std::fprintf(stderr, "not a valid SVG: %s\n", file);
        return 1;
    }
    QImage image(256, 256, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        svg.render(&p);
    }
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 0;
    if (inked < image.width() * image.height() / 10) {
        std::fprintf(stderr, "the icon draws almost nothing (%d pixels)\n", inked);
        return 1;
    }
    return image.save(QString::fromLocal8Bit(out)) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "find") == 0) {
        std::printf("%s\n", quarn::findResource(argv[2]).c_str());
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "svg") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return renderIcon(argv[2], argv[3]);
    }
    std::fprintf(stderr, "usage: install_probe find NAME | svg FILE OUT.png\n");
    return 2;
}
