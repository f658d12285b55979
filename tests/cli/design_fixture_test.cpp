// The design files kept in tests/data: the nominal design as the program saves it and
// an old DOS file, loaded, shown, saved and converted.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli_run.h"
#include "dims/dimension_file.h"
#include "dims/file_layout.h"
#include "model/dimensions.h"
#include "model/gear_model.h"
#include "model/undo_history.h"
#include "test_data.h"

namespace quarn::cli {
namespace {

// Mid gear of the nominal arms, as `quarngear-cli centre` prints it; the DOS file has
// the same arms.
constexpr float NominalMidGear = 10.29841f;

TEST(NominalDesignFile, HoldsTheNominalDimensionsAndStartView) {
    GearModel m;  // every dimension 0: what is checked below can only come from the file
    const FileResult r = loadDesignFile(m, dataFile("nominal.qgd"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(m.DimSetName, "nominal");
    EXPECT_EQ(m.frame.DriverDia, 9.0f);
    EXPECT_EQ(m.frame.Stroke, 4.25f);
    EXPECT_EQ(m.frame.MainRodLength, 16.5f);
    EXPECT_EQ(m.frame.EccRodLength, 11.094f);
    EXPECT_EQ(m.PivotHorz[16], 13.75f);  // Quarn gear mounting
    EXPECT_EQ(m.cyl.CylCtrToDriverCtr, 26.5f);
    EXPECT_EQ(m.cyl.ValveCtrToJoint, 6.39f);
    EXPECT_EQ(m.view.ViewScale, 18.0f);
    EXPECT_EQ(m.view.ViewOffsetX, 86.0f);
    EXPECT_EQ(m.view.ViewOffsetY, 280.0f);
    EXPECT_EQ(m.view.GraphicZoom, 7.5f);
    EXPECT_EQ(m.view.ViewPresets[18], 427.0f);  // preset 6: 427, -11800, 1482
    EXPECT_EQ(m.view.ViewPresets[19], -11800.0f);
    EXPECT_EQ(m.view.ViewPresets[20], 1482.0f);
    EXPECT_EQ(m.diagrams.TravelScale, 1.5f);
    EXPECT_EQ(m.overlay.CurrentItem, 1);
    EXPECT_EQ(m.overlay.ItemType[1], -1.0f);  // no overlay item in use
    EXPECT_FLOAT_EQ(m.RevArmPosition, NominalMidGear);
}

// A design opened or imported starts a history of its own: an undo must never write
// the old design's value into it. The slots keep their dimensions, with the new values.
TEST(DesignFiles, OpenAndImportEmptyTheUndoHistoryAndRefreshTheSlots) {
    for (const auto& [file, stroke] : {std::pair{"nominal.qgd", 4.25f}, std::pair{"old.qgk", 4.5f}}) {
        SCOPED_TRACE(file);
        GearModel m;
        InitStartupState(m);
        m.dyn.TypedFlag = 1;  // Stroke typed as 4.0 in the frame dialog
        takeFieldValue(m, *findDimensionByField("Stroke"), 4.0f);
        ASSERT_EQ(m.dyn.UndoCount, 1);
        ASSERT_TRUE(loadDesignFile(m, dataFile(file)).ok);
        EXPECT_EQ(m.dyn.UndoCount, 0);
        EXPECT_FALSE(m.dyn.UndoEnabled);
        EXPECT_EQ(m.dyn.UndoHistory[1].DynVarCode, 0);
        EXPECT_EQ(m.dyn.DynVarSlots[1].DynVarCode, 2);
        EXPECT_EQ(m.dyn.DynVarSlots[1].DynVarValue, stroke);
        EXPECT_FALSE(undoButtonClick(m));
        EXPECT_EQ(m.frame.Stroke, stroke);
    }
}

struct SaveCase {
    const char* name;
    std::vector<std::string> options;
};
void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class NominalSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(NominalSave, GivesTheStoredBytes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string out = (dir.path() + "/again.qgd").toStdString();
    std::vector<std::string> args{"save", out};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const CliRun r = runCommand(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(out), readBytes(dataFile("nominal.qgd")));
}

INSTANTIATE_TEST_SUITE_P(
    Designs, NominalSave,
    ::testing::Values(SaveCase{"TheFileReadAndSavedAgain", {"--file", dataFile("nominal.qgd")}},
                      SaveCase{"TheStartUpDesign", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OldDosFile, BringsItsDimensionsAndViewButNotItsOwnField) {
    GearModel m;
    InitStartupState(m);
    const FileResult r = loadDesignFile(m, dataFile("old.qgk"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(m.DimSetName, "old");
    EXPECT_EQ(m.frame.MainRodLength, 17.0f);
    EXPECT_EQ(m.frame.Stroke, 4.5f);
    EXPECT_EQ(m.frame.DriverDia, 9.0f);
    EXPECT_EQ(m.view.ViewScale, 30.0f);
    EXPECT_EQ(m.view.ViewOffsetX, 86.0f);
    EXPECT_EQ(m.view.ViewOffsetY, 300.0f);
    // The file holds 99 where a dimension file keeps the graphic zoom, and 10.3 for the
    // reverse arm: the zoom stays, the arm goes to mid gear.
    EXPECT_EQ(m.view.GraphicZoom, 7.5f);
    EXPECT_FLOAT_EQ(m.RevArmPosition, NominalMidGear);
    EXPECT_EQ(m.view.ViewPresets[3], 62.0f);  // preset 1 as at start-up
}

TEST(OldDosFile, ConvertsToItsRecordsThenTheStartUpRest) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string out = (dir.path() + "/converted.qgd").toStdString();
    const CliRun r = runCommand({"convert", dataFile("old.qgk"), out});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto converted = readBytes(out);
    const auto old = readBytes(dataFile("old.qgk"));
    const auto nominal = readBytes(dataFile("nominal.qgd"));
    ASSERT_EQ(converted.size(), DimensionFileBytes);
    ASSERT_EQ(old.size(), 12 * RecordBytes);
    // Records 1..10 as the DOS file has them; 13..71 (presets, positions, overlay) as
    // the nominal design saves them, since the arms are the nominal ones.
    EXPECT_TRUE(std::equal(old.begin(), old.begin() + 10 * RecordBytes, converted.begin()));
    EXPECT_TRUE(std::equal(nominal.begin() + 12 * RecordBytes, nominal.end(),
                           converted.begin() + 12 * RecordBytes));
    const auto field = [&](int record, int f) {
        return getFloat(converted.data() + (record - 1) * RecordBytes + (f - 1) * FieldBytes);
    };
    EXPECT_EQ(field(11, 1), 30.0f);
    EXPECT_EQ(field(11, 3), 7.5f);
    EXPECT_EQ(field(11, 4), 300.0f);
    EXPECT_FLOAT_EQ(field(12, 2), NominalMidGear);
    EXPECT_EQ(field(12, 3), 9.0f);
}

struct ShowCase {
    const char* name;
    const char* file;
    const char* golden;
};
void PrintTo(const ShowCase& c, std::ostream* os) { *os << c.name; }

class ShowFixture : public ::testing::TestWithParam<ShowCase> {};

TEST_P(ShowFixture, PrintsTheStoredText) {
    const CliRun r = runCommand({"show", dataFile(GetParam().file)});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string golden = readText(dataFile(GetParam().golden));
    ASSERT_FALSE(golden.empty());
    EXPECT_TRUE(r.out == golden) << firstDifference(r.out, golden);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ShowFixture,
    ::testing::Values(ShowCase{"NominalDesignFile", "nominal.qgd", "nominal.show.txt"},
                      ShowCase{"OldDosFile", "old.qgk", "old.show.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn::cli
