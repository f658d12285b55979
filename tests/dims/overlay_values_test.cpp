// Item and pivot numbers read from a file, and the set name taken from a path.
#include <gtest/gtest.h>

#include <limits>

#include "dims/overlay_values.h"
#include "dims/set_name.h"

namespace quarn {
namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

TEST(OverlayValues, CurrentItemIsRoundedIntoOneToTwenty) {
    const std::vector<std::pair<float, int>> rows{
        {1, 1},   {20, 20},  {7, 7},    {2.5f, 2},  {3.5f, 4}, {0.4f, 1}, {0, 1},
        {-5, 1},  {21, 20},  {20.6f, 20}, {3e38f, 20}, {-Inf, 1}, {Inf, 20}, {NaN, 1}};
    for (const auto& [stored, item] : rows) EXPECT_EQ(currentItemFromFile(stored), item) << stored;
}

TEST(OverlayValues, OnlyRealPivotNumbersAreUsedAsIndices) {
    struct Row {
        float stored;
        bool usable;
        int index;
    };
    for (const Row& r : {Row{0, true, 0}, Row{26, true, 26}, Row{12.6f, true, 13},
                         Row{-0.5f, true, 0}, Row{26.5f, true, 26}, Row{3.5f, true, 4},
                         Row{26.6f, false, 0}, Row{27, false, 0}, Row{-0.6f, false, 0},
                         Row{-1, false, 0},
                         Row{NaN, false, 0}, Row{Inf, false, 0}, Row{-Inf, false, 0},
                         Row{1e10f, false, 0}}) {
        int index = -99;
        EXPECT_EQ(overlayPivotIndex(r.stored, index), r.usable) << r.stored;
        EXPECT_EQ(index, r.usable ? r.index : -99) << r.stored;
    }
}

TEST(SetName, FileNameWithoutFolderAndExtension) {
    const std::vector<std::pair<std::string, std::string>> rows{
        {"C:\\designs\\Test.qgd", "Test"}, {"/home/me/Test.qgd", "Test"},
        {"Test.qgd", "Test"},              {"dir/Old.QGK", "Old"},
        {"dir/Design.data", "Design"},     {"dir/My.v2.qgd", "My.v2"},
        {"dir/NoExtension", "NoExtension"}, {"dir.d/Name", "Name"},
        {"a/b\\X.abc", "X"},               {"dir/.hidden", ".hidden"},
        {"dir/", ""}};
    for (const auto& [path, name] : rows) EXPECT_EQ(setNameFromPath(path), name) << path;
}

}  // namespace
}  // namespace quarn
