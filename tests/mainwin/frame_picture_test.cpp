// The main window's frame saved as a picture in each format, and printed, without
// disturbing the animation.
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include "mainwin/window_fixture.h"

namespace quarn {
namespace {

using test::WindowTest;

struct FrameFormat {
    const char* name;
    const char* file;
    QByteArray magic;
};

class FramePicture : public WindowTest, public ::testing::WithParamInterface<FrameFormat> {};

TEST_P(FramePicture, SavePictureWritesTheFrameInTheFormatOfTheEnding) {
    model.SteamDisplayOn = 1;  // the steam levels move with every frame drawn
    form->Timer1Timer();
    const GearModel before = model;
    QTemporaryDir dir;
    const std::string path = (dir.path() + QLatin1Char('/') + QLatin1String(GetParam().file)).toStdString();
    EXPECT_EQ(form->savePictureTo(path), "");
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(64).contains(GetParam().magic));
    // Drawn from a copy: the steam, the flash and the driver are where they were.
    EXPECT_EQ(model.DriverAngle, before.DriverAngle);
    EXPECT_EQ(model.steam.FrontSteamLevel, before.steam.FrontSteamLevel);
    EXPECT_EQ(model.steam.FrontPixelCount, before.steam.FrontPixelCount);
}

INSTANTIATE_TEST_SUITE_P(Formats, FramePicture,
                         ::testing::Values(FrameFormat{"Png", "frame.png", QByteArray("\x89PNG", 4)},
                                           FrameFormat{"Svg", "frame.svg", QByteArray("<svg")},
                                           FrameFormat{"Pdf", "frame.PDF", QByteArray("%PDF")}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, FramePrintsToAPdfPrinter) {
    form->Timer1Timer();
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.path() + QStringLiteral("/frame.pdf"));
    EXPECT_EQ(form->printTo(printer), QString());
    QFile f(printer.outputFileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(8).startsWith("%PDF"));
}

}  // namespace
}  // namespace quarn
