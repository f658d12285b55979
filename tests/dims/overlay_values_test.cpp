// Item and pivot numbers read from a file, and the set name taken from a path.
#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

#include "dims/overlay_values.h"
#include "dims/set_name.h"

namespace quarn {
namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

struct ItemRow {
    const char* name;
    float stored;
    int item;
};
void PrintTo(const ItemRow& r, std::ostream* os) { *os << r.name << ": " << r.stored; }

class CurrentItem : public ::testing::TestWithParam<ItemRow> {};

TEST_P(CurrentItem, IsRoundedIntoOneToTwenty) {
    EXPECT_EQ(currentItemFromFile(GetParam().stored), GetParam().item);
}

INSTANTIATE_TEST_SUITE_P(
    OverlayValues, CurrentItem,
    ::testing::Values(ItemRow{"One", 1, 1}, ItemRow{"Twenty", 20, 20}, ItemRow{"Seven", 7, 7},
                      ItemRow{"TwoAndAHalfToEven", 2.5f, 2},
                      ItemRow{"ThreeAndAHalfToEven", 3.5f, 4},
                      ItemRow{"NoughtPointFour", 0.4f, 1}, ItemRow{"Zero", 0, 1},
                      ItemRow{"MinusFive", -5, 1}, ItemRow{"TwentyOne", 21, 20},
                      ItemRow{"TwentyPointSix", 20.6f, 20}, ItemRow{"Huge", 3e38f, 20},
                      ItemRow{"MinusInfinity", -Inf, 1}, ItemRow{"Infinity", Inf, 20},
                      ItemRow{"NaN", NaN, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct PivotRow {
    const char* name;
    float stored;
    bool usable;
    int index;
};
void PrintTo(const PivotRow& r, std::ostream* os) { *os << r.name << ": " << r.stored; }

class OverlayPivot : public ::testing::TestWithParam<PivotRow> {};

TEST_P(OverlayPivot, OnlyRealPivotNumbersAreUsedAsIndices) {
    const PivotRow& r = GetParam();
    int index = -99;
    EXPECT_EQ(overlayPivotIndex(r.stored, index), r.usable);
    EXPECT_EQ(index, r.usable ? r.index : -99);
}

INSTANTIATE_TEST_SUITE_P(
    OverlayValues, OverlayPivot,
    ::testing::Values(PivotRow{"Zero", 0, true, 0}, PivotRow{"TwentySix", 26, true, 26},
                      PivotRow{"TwelvePointSix", 12.6f, true, 13},
                      PivotRow{"MinusHalfToEven", -0.5f, true, 0},
                      PivotRow{"TwentySixAndAHalfToEven", 26.5f, true, 26},
                      PivotRow{"ThreeAndAHalfToEven", 3.5f, true, 4},
                      PivotRow{"TwentySixPointSix", 26.6f, false, 0},
                      PivotRow{"TwentySeven", 27, false, 0},
                      PivotRow{"MinusNoughtPointSix", -0.6f, false, 0},
                      PivotRow{"MinusOne", -1, false, 0}, PivotRow{"NaN", NaN, false, 0},
                      PivotRow{"Infinity", Inf, false, 0},
                      PivotRow{"MinusInfinity", -Inf, false, 0},
                      PivotRow{"Huge", 1e10f, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct PathRow {
    const char* name;
    const char* path;
    const char* setName;
};
void PrintTo(const PathRow& r, std::ostream* os) { *os << r.name << ": " << r.path; }

class SetNameFromPath : public ::testing::TestWithParam<PathRow> {};

TEST_P(SetNameFromPath, IsTheFileNameWithoutFolderAndExtension) {
    EXPECT_EQ(setNameFromPath(GetParam().path), GetParam().setName);
}

INSTANTIATE_TEST_SUITE_P(
    SetName, SetNameFromPath,
    ::testing::Values(PathRow{"WindowsPath", "C:\\designs\\Test.qgd", "Test"},
                      PathRow{"UnixPath", "/home/me/Test.qgd", "Test"},
                      PathRow{"NoFolder", "Test.qgd", "Test"},
                      PathRow{"DosExtensionInCapitals", "dir/Old.QGK", "Old"},
                      PathRow{"LongExtension", "dir/Design.data", "Design"},
                      PathRow{"DotInTheName", "dir/My.v2.qgd", "My.v2"},
                      PathRow{"NoExtension", "dir/NoExtension", "NoExtension"},
                      PathRow{"DotInTheFolder", "dir.d/Name", "Name"},
                      PathRow{"MixedSeparators", "a/b\\X.abc", "X"},
                      PathRow{"HiddenFile", "dir/.hidden", ".hidden"},
                      PathRow{"FolderOnly", "dir/", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
