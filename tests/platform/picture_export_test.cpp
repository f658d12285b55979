// Picture files: the format chosen by the name's ending, each written complete with
// the picture's size, and a failed save that names the file and keeps an old one.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QSpinBox>
#include <QImage>
#include <QTemporaryDir>
#include <memory>
#include <ostream>
#include <string>

#include "platform/picture_actions.h"
#include "platform/picture_export.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

// A small picture with a line and a text, so every writer has both kinds to draw.
void drawSample(Canvas& canvas) {
    canvas.setPenColor(colors::Red);
    canvas.line(2, 2, 30, 20);
    TextStyle style;
    style.opaque = true;
    canvas.text(4, 24, "Lead", style);
}

QByteArray head(const std::string& path, int n) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.read(n);
}

struct FormatCase {
    const char* name;
    const char* file;
    const char* starts;  // the format's own first bytes
};
void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class PictureFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PictureFormat, IsWrittenByItsEnding) {
    test::ensureApplication();
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/" + GetParam().file).toStdString();
    ASSERT_TRUE(isPictureFileName(path));
    EXPECT_EQ(savePicture(path, 40, 30, drawSample), "");
    EXPECT_TRUE(head(path, 64).contains(GetParam().starts)) << head(path, 64).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Endings, PictureFormat,
    ::testing::Values(FormatCase{"Png", "a.png", "PNG"}, FormatCase{"Svg", "a.svg", "<?xml"},
                      FormatCase{"Pdf", "a.pdf", "%PDF"},
                      FormatCase{"CapitalLetters", "A.SVG", "<?xml"},
                      FormatCase{"MixedCase", "a.Pdf", "%PDF"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureFile, PngHasThePictureSizeAndItsPixels) {
    test::ensureApplication();
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/p.png").toStdString();
    ASSERT_EQ(savePicture(path, 40, 30, drawSample), "");
    const QImage image(QString::fromStdString(path));
    EXPECT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(39, 0), QColor(255, 255, 255));
}

TEST(PictureFile, SvgSaysItsSize) {
    test::ensureApplication();
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/p.svg").toStdString();
    ASSERT_EQ(savePicture(path, 632, 414, drawSample), "");
    const QByteArray svg = head(path, 4096);
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 632 414\"")) << svg.toStdString();
}

TEST(PictureFile, OtherEndingsAreNoPictures) {
    for (const char* name : {"a.jpg", "a", "dir.png/a", "a.png.txt", "a.qgd"})
        EXPECT_FALSE(isPictureFileName(name)) << name;
}

TEST(PictureFile, FailureNamesTheFileAndKeepsTheOldOne) {
    test::ensureApplication();
    QTemporaryDir dir;
    const std::string missing = (dir.path() + "/no/such/folder/a.png").toStdString();
    const std::string said = savePicture(missing, 10, 10, drawSample);
    EXPECT_EQ(said.rfind("Cannot save " + missing + ": ", 0), 0u) << said;

    const std::string old = (dir.path() + "/old.jpg").toStdString();
    {
        QFile f(QString::fromStdString(old));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old picture");
    }
    EXPECT_NE(savePicture(old, 10, 10, drawSample), "");
    EXPECT_EQ(head(old, 64), QByteArray("old picture"));
    EXPECT_NE(savePicture((dir.path() + "/empty.png").toStdString(), 0, 10, drawSample), "");
    EXPECT_FALSE(QFile::exists(dir.path() + "/empty.png"));
}

// The save dialog's choices below the file name come back as the options of the file.
TEST(SavePictureDialog, ChoicesBecomeThePictureOptions) {
    test::ensureApplication();
    for (const bool offered : {false, true}) {
        const std::unique_ptr<QFileDialog> d(makeSavePictureDialog(nullptr, offered));
        auto* scale = d->findChild<QSpinBox*>(QStringLiteral("PictureScale"));
        auto* title = d->findChild<QCheckBox*>(QStringLiteral("PictureTitleBlock"));
        auto* only = d->findChild<QCheckBox*>(QStringLiteral("PictureDrawingOnly"));
        ASSERT_TRUE(scale && title);
        EXPECT_EQ(only != nullptr, offered);
        EXPECT_EQ(scale->maximum(), 8);
        scale->setValue(12);  // beyond the range: kept at 8
        title->setChecked(true);
        if (only) only->setChecked(true);
        const SaveChoices c = saveChoices(d.get());
        EXPECT_EQ(c.options.scale, 8);
        EXPECT_TRUE(c.options.titleBlock);
        EXPECT_EQ(c.drawingOnly, offered);
        EXPECT_EQ(c.options.cropToDrawing, offered);
    }
}

}  // namespace
}  // namespace quarn
