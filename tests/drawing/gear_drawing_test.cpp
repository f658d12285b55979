// DrawFrame on the recording canvas: the order, colours and geometry of the nominal
// frame, the two forms of the linkage, wide pens, the hooks, and strange geometry.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "canvas/recording_canvas.h"
#include "drawing/frame_mapping.h"
#include "drawing/run_frame.h"
#include "support/strange_models.h"

namespace quarn {
namespace {

using Kind = DrawnItem::Kind;

struct NominalFrame : ::testing::Test {
    GearModel m;
    OutlinePoints outline;
    RecordingCanvas canvas;
    void SetUp() override {
        InitStartupState(m);
        m.DriverAngle = 0;
        // The gear picture alone: the text panel drawn after it has tests of its own.
        m.screen.ScreenDataOn = 0;
        solve();
    }
    void solve() {
        solveAndMapFrame(m);
        outline = computeOutlinePoints(m);
    }
    const std::vector<DrawnItem>& draw() {
        requests = RunFrame(m, canvas, random);
        return canvas.items();
    }
    Random random{7};
    FrameRequests requests;
    ScreenPoint at(int p) const { return {m.PivotScreenX[p], m.PivotScreenY[p]}; }
};

DrawnItem blackEllipse(int x1, int y1, int x2, int y2) {
    DrawnItem d;
    d.kind = Kind::Ellipse;
    d.x1 = x1;
    d.y1 = y1;
    d.x2 = x2;
    d.y2 = y2;
    return d;
}

bool isLine(const DrawnItem& d, ScreenPoint a, ScreenPoint b) {
    return d.kind == Kind::Line && d.x1 == a.x && d.y1 == a.y && d.x2 == b.x && d.y2 == b.y;
}

// The linkage lines are the last 16 items of the gear picture.
std::vector<DrawnItem> linkage(const std::vector<DrawnItem>& items) {
    return {items.end() - 16, items.end()};
}

TEST_F(NominalFrame, KindsAndColoursInDrawingOrder) {
    const auto& items = draw();
    std::vector<std::pair<Kind, Color>> expected{{Kind::Clear, colors::White},
                                                 {Kind::Ellipse, colors::Black},
                                                 {Kind::Arc, colors::Black},
                                                 {Kind::Ellipse, colors::Black}};
    for (int i = 0; i < 15; ++i) expected.push_back({Kind::Ellipse, colors::Black});  // pins
    for (int i = 0; i < 15; ++i) expected.push_back({Kind::Line, colors::Grey});      // bores
    for (int i = 0; i < 14; ++i) expected.push_back({Kind::Line, colors::Black});  // piston, valve
    for (int i = 0; i < 8; ++i) expected.push_back({Kind::Line, colors::Red});     // crosses
    for (Color c : {colors::Lime, colors::Black, colors::Maroon, colors::Magenta, colors::Magenta,
                    colors::Magenta, colors::Cyan, colors::Cyan, colors::Blue, colors::Magenta,
                    colors::Magenta, colors::Lime, colors::Cyan, colors::Red, colors::Lime,
                    colors::Blue})
        expected.push_back({Kind::Line, c});
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].kind, expected[i].first) << "item " << i;
        EXPECT_EQ(items[i].color, expected[i].second) << "item " << i;
        if (i > 0) {
            EXPECT_EQ(items[i].width, 1) << "item " << i;
        }
    }
    EXPECT_EQ(canvas.penColor(), colors::Black);
}

TEST_F(NominalFrame, DriverCounterweightAndHub) {
    const auto& items = draw();
    // Driver of diameter 9 at (86, 280), 18 pixels a unit: radius 81.
    EXPECT_EQ(items[1], blackEllipse(5, 199, 167, 361));
    // Counterweight on radius 56.7, its radials 110 degrees either side of the crank,
    // 162 pixels out: at angle 0 they point up-left and down-left.
    const DrawnItem& arc = items[2];
    EXPECT_EQ((std::array{arc.x1, arc.y1, arc.x2, arc.y2}), (std::array{29, 223, 143, 337}));
    EXPECT_EQ((std::array{arc.x3, arc.y3, arc.x4, arc.y4}), (std::array{31, 128, 31, 432}));
    EXPECT_EQ(items[3], blackEllipse(73, 267, 99, 293));
}

TEST_F(NominalFrame, CounterweightTurnsWithTheDriver) {
    m.DriverAngle = 90;
    const DrawnItem arc = draw()[2];
    // At 90 degrees the radials are at -20 and 200 degrees on the screen.
    EXPECT_EQ((std::array{arc.x3, arc.y3, arc.x4, arc.y4}),
              (std::array{86 + 152, 280 - 55, 86 - 152, 280 - 55}));
}

// The four fixed-pivot crosses come in the order 6, 11, 16, 0, two arms each; slots 6
// and 11 hold the absolute pivots. Screen points of the nominal view, as in
// mapPivotsToScreen.NominalViewAndOnlyPivotsUpToTwentyOne.
struct CrossCase {
    const char* name;
    int order;  // which of the four crosses
    int pivot;
    int x, y;
};
void PrintTo(const CrossCase& c, std::ostream* os) { *os << c.name; }

class FixedPivotCross : public NominalFrame, public ::testing::WithParamInterface<CrossCase> {};

TEST_P(FixedPivotCross, InOrderSixElevenSixteenZero) {
    const CrossCase c = GetParam();
    const auto& items = draw();
    const std::vector<DrawnItem> crosses(items.end() - 24, items.end() - 16);
    EXPECT_EQ(at(c.pivot), (ScreenPoint{c.x, c.y}));
    const int x = c.x, y = c.y;
    EXPECT_TRUE(isLine(crosses[2 * c.order], {x + 5, y + 5}, {x - 6, y - 6}));
    EXPECT_TRUE(isLine(crosses[2 * c.order + 1], {x + 5, y - 5}, {x - 6, y + 6}));
}

INSTANTIATE_TEST_SUITE_P(NominalFrame, FixedPivotCross,
                         ::testing::Values(CrossCase{"BellCrankPivot6", 0, 6, 311, 160},
                                           CrossCase{"ReverseArmPivot11", 1, 11, 280, 207},
                                           CrossCase{"GearMounting16", 2, 16, 334, 176},
                                           CrossCase{"DriverCentre0", 3, 0, 86, 280}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NominalFrame, GearConnectingRodIsBent) {
    const auto l = linkage(draw());
    // Nominal frame at driver angle 0: pivot 9 at (280, 207), pivot 15 at (282, 252).
    const ScreenPoint p9{280, 207}, p15{282, 252};
    EXPECT_EQ(at(9), p9);
    EXPECT_EQ(at(15), p15);
    // Bend x = (280 + 282)/2 + (207 - 252)/5 = 281 - 9 = 272;
    // bend y = (207 + 252)/2 = 229.5, the half to even 230.
    const ScreenPoint bend{272, 230};
    EXPECT_TRUE(isLine(l[3], p9, bend));
    EXPECT_TRUE(isLine(l[4], bend, p15));
    // The rod runs down from 9 to 15 (screen y grows), so the bend stands a fifth of its
    // height back from the straight line.
    ASSERT_LT(l[3].y1, l[4].y2);
    EXPECT_LT(l[3].x2, (l[3].x1 + l[4].x2) / 2 - 3);
    EXPECT_TRUE(isLine(l[5], p9, at(5)));
}

TEST_F(NominalFrame, ReverseArmAndReachRod) {
    const auto l = linkage(draw());
    EXPECT_TRUE(isLine(l[0], at(11), at(1)));
    EXPECT_TRUE(isLine(l[1], at(1), {86, at(1).y}));
    EXPECT_TRUE(isLine(l[2], at(2), at(9)));
    EXPECT_TRUE(isLine(l[6], at(5), at(6)));
    EXPECT_TRUE(isLine(l[7], at(6), at(7)));
}

struct FormCase {
    const char* name;
    bool erie;
    int valveRod[2];                 // blue
    int lever[3];                    // magenta, through the middle pivot
};
void PrintTo(const FormCase& c, std::ostream* os) { *os << c.name; }

class LinkageForm : public NominalFrame, public ::testing::WithParamInterface<FormCase> {};

TEST_P(LinkageForm, ValveRodAndCombinationLever) {
    const FormCase f = GetParam();
    m.ErieTriplexForm = f.erie;
    solve();
    const auto l = linkage(draw());
    EXPECT_EQ(l[8].color, colors::Blue);
    EXPECT_TRUE(isLine(l[8], at(f.valveRod[0]), at(f.valveRod[1])));
    EXPECT_TRUE(isLine(l[9], at(f.lever[0]), at(f.lever[1])));
    EXPECT_TRUE(isLine(l[10], at(f.lever[1]), at(f.lever[2])));
    EXPECT_TRUE(isLine(l[11], at(10), at(21)));  // union link, lime
    EXPECT_TRUE(isLine(l[12], at(21), at(3)));   // drop link, cyan
    EXPECT_TRUE(isLine(l[13], at(3), at(12)));   // main rod, red
    EXPECT_TRUE(isLine(l[14], at(12), at(14)));  // eccentric crank, lime
    EXPECT_TRUE(isLine(l[15], at(14), at(15)));  // eccentric rod, blue
}

INSTANTIATE_TEST_SUITE_P(Forms, LinkageForm,
                         ::testing::Values(FormCase{"Standard", false, {7, 8}, {8, 4, 10}},
                                           FormCase{"ErieTriplex", true, {8, 4}, {7, 8, 10}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NominalFrame, LineWidthTwoForEveryPartOfTheGear) {
    m.screen.LineWidth = 2;
    const auto& items = draw();
    for (std::size_t i = 1; i < items.size(); ++i) EXPECT_EQ(items[i].width, 2) << "item " << i;
}

// With no overlay item and no graphic, the frame without its screen data is the
// white clear and the gear alone and asks nothing of the window; with the steam switch on, the
// steam pixels and legend come between the clear and the very same gear.
TEST_F(NominalFrame, FrameIsTheClearThenTheSteamThenTheGear) {
    const std::vector<DrawnItem> plain = draw();
    EXPECT_EQ(plain.front().kind, Kind::Clear);
    EXPECT_EQ(plain.front().color, colors::White);
    EXPECT_TRUE(requests.sounds.empty());
    EXPECT_FALSE(requests.beep);
    EXPECT_FALSE(requests.errorItemVisible.has_value());
    EXPECT_FALSE(requests.undoButtonTop.has_value());
    EXPECT_FALSE(requests.dynVarBarsEnabled.has_value());
    EXPECT_EQ(requests.dialog, DialogRequest::None);
    canvas = RecordingCanvas();
    m.SteamDisplayOn = 1;
    const std::vector<DrawnItem> steamy = draw();
    ASSERT_GT(steamy.size(), plain.size());
    const std::size_t steamItems = steamy.size() - plain.size();
    EXPECT_EQ(steamy.front(), plain.front());
    for (std::size_t i = 1; i <= steamItems; ++i)
        EXPECT_TRUE(steamy[i].kind == Kind::Pixel || steamy[i].kind == Kind::Text) << "item " << i;
    EXPECT_TRUE(std::equal(plain.begin() + 1, plain.end(), steamy.begin() + 1 + steamItems));
    EXPECT_FALSE(requests.beep);
    EXPECT_FALSE(requests.errorItemVisible.has_value());
}

TEST(FrameRandom, FixedSeedRepeatsEveryFrameAndSpansStayInRange) {
    Random r(42);
    r.reseed();
    std::vector<int> first;
    for (int i = 0; i < 50; ++i) first.push_back(r.below(1000));
    r.reseed();
    std::vector<int> second;
    for (int i = 0; i < 50; ++i) second.push_back(r.below(1000));
    EXPECT_EQ(first, second);
    bool varied = false;
    for (int v : first) {
        EXPECT_GE(v, 0);
        EXPECT_LT(v, 1000);
        varied = varied || v != first[0];
    }
    EXPECT_TRUE(varied);
    EXPECT_EQ(r.below(0), 0);
    EXPECT_EQ(r.below(-5), 0);
    EXPECT_EQ(r.below(1), 0);
}

// Strange dimensions and views from a file must neither crash nor stall a frame, and
// every coordinate handed to the canvas stays within the screen limit.
class StrangeGeometry : public ::testing::TestWithParam<test::StrangeCase> {};

TEST_P(StrangeGeometry, FrameIsDrawnWithCoordinatesInRange) {
    GearModel m;
    InitStartupState(m);
    GetParam().apply(m);
    m.screen.ScreenDataOn = 0;  // the gear alone; the text panel has its own case
    solveAndMapFrame(m);
    RecordingCanvas rec;
    Random random(1);
    RunFrame(m, rec, random);
    ASSERT_EQ(rec.items().size(), 72u);
    constexpr int Limit = 1000000 + 6;
    for (const auto& d : rec.items())
        for (int v : {d.x1, d.y1, d.x2, d.y2, d.x3, d.y3, d.x4, d.y4}) EXPECT_LE(std::abs(v), Limit);
}

INSTANTIATE_TEST_SUITE_P(Cases, StrangeGeometry, ::testing::ValuesIn(test::strangeModels()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
