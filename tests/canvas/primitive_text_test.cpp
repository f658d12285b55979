// The text form of recorded primitives that `quarngear-cli render --list` prints and
// the golden pictures are stored in.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <sstream>

#include "canvas/primitive_text.h"
#include "canvas/recording_canvas.h"

namespace quarn {
namespace {

struct TextCase {
    const char* name;
    std::function<void(Canvas&)> draw;
    const char* text;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class PrimitiveText : public ::testing::TestWithParam<TextCase> {};

TEST_P(PrimitiveText, OneItemAsOneLine) {
    RecordingCanvas canvas;
    GetParam().draw(canvas);
    ASSERT_EQ(canvas.items().size(), 1u);
    EXPECT_EQ(primitiveText(canvas.items()[0]), GetParam().text);
}

TextStyle blueBoldOnYellow() {
    TextStyle s;
    s.pointSize = 10;
    s.color = colors::Blue;
    s.bold = true;
    s.opaque = true;
    s.background = colors::Yellow;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PrimitiveText,
    ::testing::Values(
        TextCase{"Clear", [](Canvas& c) { c.clear(colors::White); }, "clear #FFFFFF"},
        TextCase{"LineWithItsPen",
                 [](Canvas& c) {
                     c.setPenColor(colors::Red);
                     c.setPenWidth(2);
                     c.line(10, 20, 30, 40);
                 },
                 "line 2 #FF0000 10,20 30,40"},
        TextCase{"LineFromThePenPosition",
                 [](Canvas& c) {
                     c.moveTo(-5, -6);
                     c.lineTo(7, -8);
                 },
                 "line 1 #000000 -5,-6 7,-8"},
        TextCase{"EllipseColourInTwoDigitHex",
                 [](Canvas& c) {
                     c.setPenColor({0x12, 0xAB, 0x0F});
                     c.ellipse(1, 2, 3, 4);
                 },
                 "ellipse 1 #12AB0F 1,2 3,4"},
        TextCase{"ArcBoxThenRadials",
                 [](Canvas& c) {
                     c.setPenColor(colors::Blue);
                     c.arc(0, 0, 100, 50, 100, 25, 0, 25);
                 },
                 "arc 1 #0000FF 0,0 100,50 100,25 0,25"},
        TextCase{"PixelInItsOwnColour",
                 [](Canvas& c) {
                     c.setPenColor(colors::Red);
                     c.setPenWidth(3);
                     c.setPixel(3, 4, colors::Magenta);
                 },
                 "pixel #FF00FF 3,4"},
        TextCase{"TextBoldOnItsBackground",
                 [](Canvas& c) { c.text(5, 6, "Cut-off 78%", blueBoldOnYellow()); },
                 "text \"Cut-off 78%\" #0000FF \"MS Sans Serif\" 10pt bold opaque #FFFF00 5,6"},
        TextCase{"TextPlainWithoutBackground",
                 [](Canvas& c) { c.text(0, 0, "x", TextStyle{}); },
                 "text \"x\" #000000 \"MS Sans Serif\" 8pt normal transparent 0,0"},
        TextCase{"TextQuotesBackslashesAndLineEndsEscaped",
                 [](Canvas& c) { c.text(1, 1, "say \"a\\b\"\n", TextStyle{}); },
                 "text \"say \\\"a\\\\b\\\"\\x0A\" #000000 \"MS Sans Serif\" 8pt normal "
                 "transparent 1,1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrimitiveList, OneLineEachInDrawingOrder) {
    RecordingCanvas canvas;
    canvas.clear(colors::White);
    canvas.setPixel(0, 0, colors::Black);
    std::ostringstream out;
    writePrimitiveList(out, canvas.items());
    EXPECT_EQ(out.str(), "clear #FFFFFF\npixel #000000 0,0\n");
}

}  // namespace
}  // namespace quarn
