// The texts drawn on the reverse-arm position dialog: the range line, the field labels
// in their two columns, and the places the large font moves them to.
#include <gtest/gtest.h>

#include "canvas/recording_canvas.h"
#include "drawing/rev_arm_set_labels.h"
#include "model/gear_model.h"

namespace quarn {
namespace {

struct Placed {
    int x, y;
    std::string text;
    friend bool operator==(const Placed&, const Placed&) = default;
};

std::vector<Placed> drawn(const GearModel& m, const std::array<bool, 10>& labels) {
    RecordingCanvas canvas(409, 154);
    drawRevArmSetLabels(m, canvas, labels);
    std::vector<Placed> out;
    for (const DrawnItem& i : canvas.items())
        if (i.kind == DrawnItem::Kind::Text) out.push_back({i.x1, i.y1, i.text});
    return out;
}

TEST(RevArmSetLabels, NominalRangeLineAndTheLabelsOfTheShownFields) {
    GearModel m;
    InitStartupState(m);
    // Mid gear of the nominal set is 10.298, normal travel 1.5 and the most 1.7.
    std::array<bool, 10> labels{};
    labels[1] = labels[2] = labels[5] = true;
    const std::vector<Placed> expected = {
        {10, 4, "Min 8.598"},       {75, 4, "Rev 8.798"},  {140, 4, "Cent 10.298"},
        {205, 4, "Fwd 11.798"},     {270, 4, "Max 11.998"}, {13, 25, "Vertical Scale"},
        {13, 38, "Rev Arm Position  1"}, {13, 51, "Rev Arm Position  2"},
        {165, 25, "Rev Arm Position  5"}, {13, 98, "Max of 9 Positions"}};
    EXPECT_EQ(drawn(m, labels), expected);
}

TEST(RevArmSetLabels, LargeFontMovesEveryLabelButTheRangeLinesRow) {
    GearModel m;
    InitStartupState(m);
    m.screen.text = TextScale::large();
    std::array<bool, 10> labels{};
    labels[9] = true;
    const std::vector<Placed> got = drawn(m, labels);
    ASSERT_EQ(got.size(), 8u);
    EXPECT_EQ(got[4].x, 343);  // 270 x 1.27 = 342.9
    EXPECT_EQ(got[4].y, 4);
    EXPECT_EQ(got[6], (Placed{210, 94, "Rev Arm Position  9"}));  // 165 x 1.27, 77 x 1.22
    EXPECT_EQ(got[7].y, 120);  // 98 x 1.22 = 119.56
}

}  // namespace
}  // namespace quarn
