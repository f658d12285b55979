// What the windows show of the design they hold: "Norm" follows the view a design is
// opened with, and every frame writes the set name into the captions.
#include <QTemporaryDir>

#include "dims/dimension_file.h"
#include "mainwin/window_fixture.h"

namespace quarn {
namespace {

using test::WindowTest;

TEST_F(WindowTest, NormIsUsableWhileTheOpenedViewIsNotTheNormalOne) {
    struct Row {
        const char* name;
        float scale, offsetX;  // the view saved with the design
        bool panFirst;         // "Norm" usable before the design is opened
        bool normEnabled;
    } const rows[] = {{"panned", StartViewScale, 120, false, true},
                      {"zoomed", 40, StartViewOffsetX, false, true},
                      {"normal, after a pan", StartViewScale, StartViewOffsetX, true, false}};
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("view.qgd")).toStdString();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GearModel design = model;
        design.view.ViewScale = row.scale;
        design.view.ViewOffsetX = row.offsetX;
        ASSERT_TRUE(saveDimensionFile(design, path).ok);
        if (row.panFirst) bar("SBPanHorz")->triggerAction(QAbstractSlider::SliderPageStepAdd);
        ASSERT_TRUE(form->openDesign(path));
        EXPECT_EQ(enabled("NormVHZ"), row.normEnabled);
        if (row.normEnabled) click("NormVHZ");
        EXPECT_EQ(model.view.ViewScale, StartViewScale);
        EXPECT_EQ(model.view.ViewOffsetX, StartViewOffsetX);
    }
}

// The hidden windows' captions as well as the main window's.
TEST_F(WindowTest, EveryFrameCaptionsTheWindowsWithTheSetName) {
    const std::pair<QWidget*, const char*> rows[] = {
        {form.get(), "QUARN Inside Admission            "},
        {find<QWidget>("TDataTable"), "QUARN Inside Admission  DataTable  "}};
    model.DimSetName = "Other";
    form->Timer1Timer();
    for (const auto& [window, prefix] : rows) {
        SCOPED_TRACE(prefix);
        const QString title = window->windowTitle().remove(QStringLiteral("[*]"));
        EXPECT_TRUE(title.startsWith(QLatin1String(prefix) + QStringLiteral("Other     ")))
            << title.toStdString();
        EXPECT_TRUE(title.endsWith(QStringLiteral("   Version 2.6"))) << title.toStdString();
    }
}

}  // namespace
}  // namespace quarn
