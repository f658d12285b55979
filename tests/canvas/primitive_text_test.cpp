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
        TextCase{"LineWithItsPen",
                 [](Canvas& c) {
                     c.setPenColor(colors::Red);
                     c.setPenWidth(2);
                     c.line(10, 20, 30, 40);
                 },
                 "line 10 20 30 40 #ff0000 2"},
        TextCase{"LineFromThePenPosition",
                 [](Canvas& c) {
                     c.moveTo(-5, -6);
                     c.lineTo(7, -8);
                 },
                 "line -5 -6 7 -8 #000000 1"},
        TextCase{"EllipseColourInTwoDigitLowerHex",
                 [](Canvas& c) {
                     c.setPenColor({0x12, 0xAB, 0x0F});
                     c.ellipse(1, 2, 3, 4);
                 },
                 "ellipse 1 2 3 4 #12ab0f 1"},
        TextCase{"EllipseBoxFromTheOtherCorners",
                 [](Canvas& c) { c.ellipse(30, 4, 10, 40); },
                 "ellipse 10 4 30 40 #000000 1"},
        TextCase{"ArcBoxThenRadials",
                 [](Canvas& c) {
                     c.setPenColor(colors::Blue);
                     c.setPenWidth(3);
                     c.arc(0, 50, 100, 0, 100, 25, 0, 25);
                 },
                 "arc 0 0 100 50 100 25 0 25 #0000ff 3"},
        TextCase{"PixelInItsOwnColour",
                 [](Canvas& c) {
                     c.setPenColor(colors::Red);
                     c.setPenWidth(3);
                     c.setPixel(3, 4, colors::Magenta);
                 },
                 "pixel 3 4 #ff00ff"},
        TextCase{"TextBoldOnItsBackground",
                 [](Canvas& c) { c.text(5, 6, "Cut-off 78%", blueBoldOnYellow()); },
                 "text 5 6 #0000ff 10 bold opaque \"Cut-off 78%\""},
        TextCase{"TextPlainWithoutBackground",
                 [](Canvas& c) { c.text(0, -2, "x y", TextStyle{}); },
                 "text 0 -2 #000000 8 normal clear \"x y\""},
        TextCase{"TextQuotesDoubled",
                 [](Canvas& c) { c.text(1, 1, "say \"a\" \"\"", TextStyle{}); },
                 "text 1 1 #000000 8 normal clear \"say \"\"a\"\" \"\"\"\"\""},
        TextCase{"TextEmpty", [](Canvas& c) { c.text(1, 2, "", TextStyle{}); },
                 "text 1 2 #000000 8 normal clear \"\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrimitiveText, ClearHasNoLine) {
    RecordingCanvas canvas;
    canvas.clear(colors::White);
    ASSERT_EQ(canvas.items().size(), 1u);
    EXPECT_EQ(primitiveText(canvas.items()[0]), std::nullopt);
}

TEST(PrimitiveList, OneLineEachInDrawingOrderWithoutTheClears) {
    RecordingCanvas canvas;
    canvas.clear(colors::White);
    canvas.setPixel(0, 0, colors::Black);
    canvas.clear(colors::White);
    canvas.line(1, 2, 3, 4);
    std::ostringstream out;
    writePrimitiveList(out, canvas.items());
    EXPECT_EQ(out.str(), "pixel 0 0 #000000\nline 1 2 3 4 #000000 1\n");
}

}  // namespace
}  // namespace quarn
