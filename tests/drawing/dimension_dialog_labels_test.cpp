// The drawn labels of the dimension dialogs: the ditto rows' exact blanks, the two-line
// labels, and the places the large font moves them to.
#include <gtest/gtest.h>

#include "canvas/recording_canvas.h"
#include "drawing/dimension_dialog_labels.h"

namespace quarn {
namespace {

std::string ditto(int before, int after, const char* words) {
    return "\"" + std::string(std::size_t(before), ' ') + "\"" + std::string(std::size_t(after), ' ') + words;
}

TEST(DialogLabels, FrameRowsStandInTwoColumnsWithTheirDittos) {
    const auto labels = frameDialogLabels();
    ASSERT_EQ(labels.size(), 32u);  // 30 rows and the two prompts
    EXPECT_EQ(labels[4].text, ditto(11, 5, "Back Set"));
    EXPECT_EQ(labels[4].x, 40);
    EXPECT_EQ(labels[4].y, 52);
    EXPECT_EQ(labels[29].text, ditto(11, 14, "Max"));
    EXPECT_EQ(labels[29].x, 234);
    EXPECT_EQ(labels[29].y, 182);
    EXPECT_EQ(labels[15].text, "ReverseArm  UpperLength");
    EXPECT_EQ(labels[15].y, 0);
    EXPECT_EQ(labels[31].text, "To Select Dynamic Variable, Click Dimension in Gray Area");
    EXPECT_EQ(labels[31].y, 220);
}

TEST(DialogLabels, CylinderLabelsKeepTheirLeadingBlanks) {
    const auto labels = cylinderDialogLabels();
    ASSERT_EQ(labels.size(), 23u);
    EXPECT_EQ(labels[13].text, ditto(13, 13, "Front"));
    EXPECT_EQ(labels[18].text, labels[13].text);
    EXPECT_EQ(labels[15].text, " of Inside Ring");
    EXPECT_EQ(labels[20].text, "  (Valve Stem)");
    EXPECT_EQ(labels[22].text, "To Select Dynamic Variable, ClickDimension in GrayArea");
}

TEST(DialogLabels, DrawnBlackAtPlacesScaledForTheFont) {
    RecordingCanvas canvas(386, 246);
    drawDialogLabels(canvas, TextScale::large(), frameDialogLabels());
    ASSERT_EQ(canvas.items().size(), 32u);
    const DrawnItem& backSet = canvas.items()[4];
    EXPECT_EQ(backSet.text, ditto(11, 5, "Back Set"));
    EXPECT_EQ(backSet.x1, TextScale::large().x(40));
    EXPECT_EQ(backSet.y1, TextScale::large().y(52));
    EXPECT_EQ(backSet.color, colors::Black);
}

}  // namespace
}  // namespace quarn
