// The byte layout of the dimension file and the DOS file, and what each file size loads.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <string>

#include "dims/file_layout.h"
#include "dims/overlay_values.h"
#include "dims_test_support.h"

namespace quarn {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FileLayout, BytesAreLittleEndianWhateverTheHost) {
    GearModel m = startupModel();
    m.frame.ValveRodLength = 1.0f;
    m.frame.ComboLeverUpper = -2.0f;
    m.frame.ComboLeverForSet = 0.5f;
    m.overlay.CurrentItem = 3;
    const Bytes bytes = encodeDimensionFile(m);
    ASSERT_EQ(bytes.size(), 1420u);
    const Bytes head{0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x3F};
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 12), head);
    const Bytes tail{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x40, 0x40};
    EXPECT_EQ(Bytes(bytes.end() - 20, bytes.end()), tail);

    Bytes image = encodeDimensionFile(startupModel());
    const Bytes ten{0x00, 0x00, 0x20, 0x41};  // 10.0
    std::copy(ten.begin(), ten.end(), image.begin());
    ASSERT_TRUE(loadDimensionBytes(m, image).ok);
    EXPECT_EQ(m.frame.ValveRodLength, 10.0f);
}

TEST(FileLayout, StartupFileEndsWithFourZerosAndItemOne) {
    const Bytes bytes = encodeDimensionFile(startupModel());
    ASSERT_EQ(bytes.size(), 1420u);
    for (int f = 1; f <= 4; ++f) EXPECT_EQ(std::bit_cast<std::uint32_t>(fieldAt(bytes, 71, f)), 0u);
    EXPECT_EQ(fieldAt(bytes, 71, 5), 1.0f);
    // Never-used overlay items are written empty.
    for (int r = 51; r <= 54; ++r)
        for (int f = 1; f <= 5; ++f) EXPECT_EQ(fieldAt(bytes, r, f), -1.0f);
}

// Positions taken from the record table as the program has always written it.
struct Position {
    const char* name;
    int record, field;
    std::function<float&(GearModel&)> value;
    bool keptByMidGear;  // false: the mid-gear calculation overwrites it on reading
};

const std::vector<Position>& positions() {
    static const std::vector<Position> rows{
        {"ValveRodLength", 1, 1, [](GearModel& m) -> float& { return m.frame.ValveRodLength; }, true},
        {"UnionLinkLength", 1, 5, [](GearModel& m) -> float& { return m.frame.UnionLinkLength; }, true},
        {"DropLinkToCrossHVert", 2, 4,
         [](GearModel& m) -> float& { return m.frame.DropLinkToCrossHVert; }, true},
        {"QuarnGearMtgHorz", 2, 5, [](GearModel& m) -> float& { return m.PivotHorz[16]; }, true},
        {"QuarnGearMtgVert", 3, 1, [](GearModel& m) -> float& { return m.PivotVert[16]; }, true},
        {"Stroke", 3, 3, [](GearModel& m) -> float& { return m.frame.Stroke; }, true},
        {"RevArmPivotHorz", 4, 3, [](GearModel& m) -> float& { return m.PivotHorz[11]; }, true},
        {"GearConRodLower", 4, 5, [](GearModel& m) -> float& { return m.frame.GearConRodLower; }, true},
        {"BellCrankPivotHorz", 5, 5, [](GearModel& m) -> float& { return m.PivotHorz[6]; }, true},
        {"BellCrankPivotVert", 6, 1, [](GearModel& m) -> float& { return m.PivotVert[6]; }, true},
        {"Mirror17Horz", 6, 3, [](GearModel& m) -> float& { return m.PivotHorz[17]; }, true},
        {"Mirror18Vert", 7, 1, [](GearModel& m) -> float& { return m.PivotVert[18]; }, true},
        {"CylSpare", 7, 5, [](GearModel& m) -> float& { return m.cyl.CylSpare; }, true},
        {"CylSteamPortWidth", 8, 1, [](GearModel& m) -> float& { return m.cyl.CylSteamPortWidth; }, true},
        {"ValveCtrToJoint", 9, 5, [](GearModel& m) -> float& { return m.cyl.ValveCtrToJoint; }, true},
        {"ValveCLToCylCL", 10, 1, [](GearModel& m) -> float& { return m.cyl.ValveCLToCylCL; }, true},
        {"CylCLAboveDriverCtr", 10, 4, [](GearModel& m) -> float& { return m.PivotVert[3]; }, true},
        {"ValveStemJointVert", 10, 5, [](GearModel& m) -> float& { return m.PivotVert[4]; }, true},
        {"ViewScale", 11, 1, [](GearModel& m) -> float& { return m.view.ViewScale; }, true},
        {"GraphicZoom", 11, 3, [](GearModel& m) -> float& { return m.view.GraphicZoom; }, true},
        {"ViewOffsetY", 11, 4, [](GearModel& m) -> float& { return m.view.ViewOffsetY; }, true},
        {"RevArmToCentNormal", 11, 5, [](GearModel& m) -> float& { return m.frame.RevArmToCentNormal; }, true},
        {"RevArmToCentMax", 12, 1, [](GearModel& m) -> float& { return m.frame.RevArmToCentMax; }, true},
        {"RevArmTop", 12, 2, [](GearModel& m) -> float& { return m.PivotHorz[1]; }, false},
        {"DriverDia", 12, 3, [](GearModel& m) -> float& { return m.frame.DriverDia; }, true},
        {"LastDiagramRevArm", 12, 4, [](GearModel& m) -> float& { return m.diagrams.LastDiagramRevArm; }, true},
        {"TravelScale", 12, 5, [](GearModel& m) -> float& { return m.diagrams.TravelScale; }, true},
        {"Captured", 13, 1, [](GearModel& m) -> float& { return m.view.ViewPresets[0]; }, true},
        {"Preset6Y", 17, 1, [](GearModel& m) -> float& { return m.view.ViewPresets[20]; }, true},
        {"DiagramPosition3", 17, 4, [](GearModel& m) -> float& { return m.RevArmPositions[3]; }, false},
        {"DiagramPosition4", 17, 5, [](GearModel& m) -> float& { return m.RevArmPositions[4]; }, true},
        {"DiagramPosition9", 18, 5, [](GearModel& m) -> float& { return m.RevArmPositions[9]; }, true},
        {"Horz1Item1", 19, 1, [](GearModel& m) -> float& { return m.overlay.Horz1[1]; }, true},
        {"Horz1Item20", 22, 5, [](GearModel& m) -> float& { return m.overlay.Horz1[20]; }, true},
        {"Vert1Item6", 24, 1, [](GearModel& m) -> float& { return m.overlay.Vert1[6]; }, true},
        {"Pivot2VertAtPickItem20", 50, 5,
         [](GearModel& m) -> float& { return m.overlay.Pivot2VertAtPick[20]; }, true},
        {"ItemTypeItem1", 51, 1, [](GearModel& m) -> float& { return m.overlay.ItemType[1]; }, true},
        {"ItemColorItem13", 57, 3, [](GearModel& m) -> float& { return m.overlay.ItemColor[13]; }, true},
        {"ItemRefItem20", 62, 5, [](GearModel& m) -> float& { return m.overlay.ItemRef[20]; }, true},
        {"Pivot1Item2", 63, 2, [](GearModel& m) -> float& { return m.overlay.Pivot1[2]; }, true},
        {"Pivot2Item20", 70, 5, [](GearModel& m) -> float& { return m.overlay.Pivot2[20]; }, true},
    };
    return rows;
}

class FieldPosition : public testing::TestWithParam<Position> {};

TEST_P(FieldPosition, WriterAndReaderUseTheSameField) {
    const Position& p = GetParam();
    GearModel written = startupModel();
    p.value(written) = 4321.5f;
    Bytes bytes = encodeDimensionFile(written);
    EXPECT_EQ(fieldAt(bytes, p.record, p.field), 4321.5f);

    if (!p.keptByMidGear) return;
    GearModel read = startupModel();
    setFieldAt(bytes, p.record, p.field, 1234.25f);
    ASSERT_TRUE(loadDimensionBytes(read, bytes).ok);
    EXPECT_EQ(p.value(read), 1234.25f);
}

INSTANTIATE_TEST_SUITE_P(Records, FieldPosition, testing::ValuesIn(positions()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileLayout, EveryStoredBitPatternComesBackExceptWhatMidGearOwns) {
    Bytes image = distinctImage(71);
    setFieldAt(image, 20, 1, std::bit_cast<float>(0x7FA00001u));  // a signalling NaN payload
    setFieldAt(image, 21, 2, -0.0f);
    setFieldAt(image, 22, 3, std::numeric_limits<float>::infinity());
    setFieldAt(image, 23, 4, std::numeric_limits<float>::denorm_min());
    setFieldAt(image, 63, 1, 99.0f);                                 // no such pivot
    setFieldAt(image, 67, 1, std::numeric_limits<float>::quiet_NaN());
    setFieldAt(image, 71, 5, 7.0f);
    GearModel m = startupModel();
    ASSERT_TRUE(loadDimensionBytes(m, image).ok);
    const Bytes again = encodeDimensionFile(m);
    for (int r = 1; r <= 71; ++r)
        for (int f = 1; f <= 5; ++f) {
            const bool midGear = (r == 12 && f == 2) || (r == 17 && f >= 2 && f <= 4);
            if (midGear || (r == 71 && f < 5)) continue;
            EXPECT_EQ(std::bit_cast<std::uint32_t>(fieldAt(again, r, f)),
                      std::bit_cast<std::uint32_t>(fieldAt(image, r, f)))
                << "R" << r << " F" << f;
        }
    EXPECT_EQ(m.overlay.CurrentItem, 7);
    EXPECT_EQ(m.RevArmPosition, m.RevArmCentre());
    EXPECT_EQ(m.PivotHorz[1], m.RevArmCentre());
    int pivot = -1;
    EXPECT_FALSE(overlayPivotIndex(m.overlay.Pivot1[1], pivot));
    EXPECT_FALSE(overlayPivotIndex(m.overlay.Pivot2[1], pivot));
}

struct StoredItem {
    const char* name;
    float stored;
    int expected;
};
void PrintTo(const StoredItem& r, std::ostream* os) { *os << r.name << ": " << r.stored; }

class CurrentItemFromFile : public testing::TestWithParam<StoredItem> {};

TEST_P(CurrentItemFromFile, IsBroughtIntoRange) {
    Bytes image = encodeDimensionFile(startupModel());
    setFieldAt(image, 71, 5, GetParam().stored);
    GearModel m = startupModel();
    ASSERT_TRUE(loadDimensionBytes(m, image).ok);
    EXPECT_EQ(m.overlay.CurrentItem, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    FileLayout, CurrentItemFromFile,
    testing::Values(StoredItem{"NaN", std::numeric_limits<float>::quiet_NaN(), 1},
                    StoredItem{"Zero", 0.0f, 1}, StoredItem{"TwentyFive", 25.0f, 20},
                    StoredItem{"FourPointSix", 4.6f, 5}, StoredItem{"MinusHuge", -3e38f, 1},
                    StoredItem{"FiveAndAHalfToEven", 5.5f, 6}),
    [](const auto& info) { return std::string(info.param.name); });

// What each file size does. Dimension file: 18..20 records the short part only, 71 or
// more everything, any other size nothing. DOS file: 12 or more records, else nothing.
enum class Loads { Nothing, ShortPart, Everything };
struct SizeCase {
    int records;
    Loads dimensionFile;
    bool dosFile;
};

class FileSize : public testing::TestWithParam<SizeCase> {
protected:
    // A design whose overlay and settings differ from both start-up and the image.
    static GearModel before() {
        GearModel m = startupModel();
        m.overlay.ItemType[5] = 0;
        m.overlay.Horz1[5] = 2.5f;
        m.overlay.CurrentItem = 6;
        m.view.GraphicZoom = 12;
        m.view.ViewPresets[4] = -77;
        m.RevArmPositions[8] = 9.5f;
        m.DimSetName = "Before";
        return m;
    }
};

TEST_P(FileSize, DimensionFileLoadsWhatItsSizeAllows) {
    const SizeCase c = GetParam();
    Bytes image = distinctImage(c.records);
    if (c.records >= 71) setFieldAt(image, 71, 5, 3.0f);
    GearModel m = before();
    const FileResult r = loadDimensionBytes(m, image);
    switch (c.dimensionFile) {
        case Loads::Nothing:
            EXPECT_FALSE(r.ok);
            EXPECT_NE(r.message.find("Read beyond end of file"), std::string::npos) << r.message;
            expectSameDesign(m, before());
            break;
        case Loads::ShortPart:
            ASSERT_TRUE(r.ok) << r.message;
            EXPECT_EQ(m.frame.ValveRodLength, 1000.0f);
            EXPECT_EQ(m.RevArmPositions[9], 1089.0f);
            EXPECT_TRUE(sameOverlay(m.overlay, before().overlay));
            EXPECT_EQ(m.overlay.CurrentItem, 1);
            break;
        case Loads::Everything:
            ASSERT_TRUE(r.ok) << r.message;
            EXPECT_EQ(m.RevArmPositions[9], 1089.0f);
            EXPECT_EQ(m.overlay.Horz1[1], 1090.0f);
            EXPECT_EQ(m.overlay.Pivot2[20], 1349.0f);
            EXPECT_EQ(m.overlay.CurrentItem, 3);
            break;
    }
}

TEST_P(FileSize, DosFileLoadsTwelveRecordsOrNothing) {
    const SizeCase c = GetParam();
    Bytes image = distinctImage(c.records);
    GearModel m = before();
    const FileResult r = loadDosBytes(m, image);
    if (!c.dosFile) {
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find("Read beyond end of file"), std::string::npos) << r.message;
        expectSameDesign(m, before());
        return;
    }
    ASSERT_TRUE(r.ok) << r.message;
    const GearModel old = before();
    EXPECT_EQ(m.frame.ValveRodLength, 1000.0f);
    EXPECT_EQ(m.view.ViewScale, 1050.0f);
    EXPECT_EQ(m.view.ViewOffsetY, 1053.0f);
    EXPECT_EQ(m.diagrams.TravelScale, 1059.0f);
    // What the DOS format does not carry, or carried differently, stays as it was.
    EXPECT_EQ(m.view.GraphicZoom, old.view.GraphicZoom);
    EXPECT_EQ(m.view.ViewPresets, old.view.ViewPresets);
    for (int i = 4; i < RevArmPositionSlots; ++i) EXPECT_EQ(m.RevArmPositions[i], old.RevArmPositions[i]);
    EXPECT_TRUE(sameOverlay(m.overlay, old.overlay));
    EXPECT_EQ(m.overlay.CurrentItem, old.overlay.CurrentItem);
    EXPECT_EQ(m.RevArmPosition, m.RevArmCentre());
}

INSTANTIATE_TEST_SUITE_P(
    Records, FileSize,
    testing::Values(SizeCase{0, Loads::Nothing, false}, SizeCase{11, Loads::Nothing, false},
                    SizeCase{12, Loads::Nothing, true}, SizeCase{17, Loads::Nothing, true},
                    SizeCase{18, Loads::ShortPart, true}, SizeCase{20, Loads::ShortPart, true},
                    SizeCase{21, Loads::Nothing, true}, SizeCase{30, Loads::Nothing, true},
                    SizeCase{70, Loads::Nothing, true}, SizeCase{71, Loads::Everything, true},
                    SizeCase{72, Loads::Everything, true}),
    [](const auto& info) { return std::to_string(info.param.records); });

TEST(FileLayout, PartRecordAtTheEndDoesNotCount) {
    Bytes image = encodeDimensionFile(startupModel());
    image.pop_back();  // 70 whole records and 19 bytes
    GearModel m = startupModel();
    EXPECT_FALSE(loadDimensionBytes(m, image).ok);
    image.resize(12 * RecordBytes - 1);
    EXPECT_FALSE(loadDosBytes(m, image).ok);
}

}  // namespace
}  // namespace quarn
