// DrawFrame on the recording canvas: the order, colours and geometry of the nominal
// frame, the two forms of the linkage, wide pens, the hooks, and strange geometry.
#include <gtest/gtest.h>

#include <ostream>

#include <QImage>
#include <cmath>
#include <limits>
#include <vector>

#include "mainwin/frame.h"
#include "platform/qt_canvas.h"
#include "platform/recording_canvas.h"

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
        outline = SolveAndMapFrame(m);
    }
    const std::vector<DrawnItem>& draw(FrameSettings settings = {}, FrameHooks hooks = {}) {
        DrawFrame(m, settings, outline, canvas, hooks);
        return canvas.items();
    }
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

TEST_F(NominalFrame, FixedPivotCrossesInOrderSixElevenSixteenZero) {
    const auto& items = draw();
    const std::vector<DrawnItem> crosses(items.end() - 24, items.end() - 16);
    const int pivots[4] = {6, 11, 16, 0};  // slots 6 and 11 hold the absolute pivots
    for (int k = 0; k < 4; ++k) {
        const auto [x, y] = at(pivots[k]);
        EXPECT_TRUE(isLine(crosses[2 * k], {x + 5, y + 5}, {x - 6, y - 6})) << k;
        EXPECT_TRUE(isLine(crosses[2 * k + 1], {x + 5, y - 5}, {x - 6, y + 6})) << k;
    }
}

TEST_F(NominalFrame, GearConnectingRodIsBent) {
    const auto l = linkage(draw());
    const ScreenPoint p9 = at(9), p15 = at(15);
    const ScreenPoint bend{static_cast<int>(std::lround((p9.x + p15.x) / 2.0 + (p9.y - p15.y) / 5.0)),
                           static_cast<int>(std::lround((p9.y + p15.y) / 2.0))};
    EXPECT_TRUE(isLine(l[3], p9, bend));
    EXPECT_TRUE(isLine(l[4], bend, p15));
    // The rod runs down from 9 to 15 (screen y grows), so the bend stands a fifth of its
    // height back from the straight line.
    ASSERT_LT(p9.y, p15.y);
    EXPECT_LT(bend.x, (p9.x + p15.x) / 2 - 3);
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
    outline = SolveAndMapFrame(m);
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
    FrameSettings wide;
    wide.LineWidth = 2;
    const auto& items = draw(wide);
    for (std::size_t i = 1; i < items.size(); ++i) EXPECT_EQ(items[i].width, 2) << "item " << i;
}

// Each hook leaves a text naming itself, and the steam hook spoils the pen.
void steamHook(void*, const GearModel&, const OutlinePoints&, Canvas& c) {
    c.text(0, 0, "steam", {});
    c.setPenColor(colors::Yellow);
    c.setPenWidth(7);
}
void overlayHook(void*, const GearModel&, Canvas& c) { c.text(0, 0, "overlay", {}); }
void screenDataHook(void* ctx, const GearModel&, Canvas& c) {
    ++*static_cast<int*>(ctx);
    c.text(0, 0, "screen data", {});
}
void graphicHook(void*, const GearModel&, Canvas& c) { c.text(0, 0, "graphic", {}); }

TEST_F(NominalFrame, HooksInTheirPlacesSteamOnlyWhileShown) {
    int calls = 0;
    const FrameHooks hooks{steamHook, overlayHook, screenDataHook, graphicHook, &calls};
    for (bool steam : {false, true}) {
        canvas = RecordingCanvas();
        m.SteamDisplayOn = steam;
        const auto& items = draw({}, hooks);
        std::vector<std::pair<std::size_t, std::string>> texts;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].kind == Kind::Text) texts.push_back({i, items[i].text});
        const std::size_t n = items.size();
        std::vector<std::pair<std::size_t, std::string>> expected{
            {n - 3, "overlay"}, {n - 2, "screen data"}, {n - 1, "graphic"}};
        if (steam) {
            expected.insert(expected.begin(), {1, "steam"});
            EXPECT_EQ(items[2].color, colors::Black);  // the driver, whatever steam left
            EXPECT_EQ(items[2].width, 1);
        }
        EXPECT_EQ(texts, expected);
    }
    EXPECT_EQ(calls, 2);
}

TEST(FrameCaption, PrefixSetDateTimeVersion) {
    EXPECT_EQ(frameCaption(caption::MainWindow, "Nominal", "08/12/2026", "18:50:07"),
              "QUARN Inside Admission" + std::string(12, ' ') +
                  "Nominal     08/12/2026   18:50:07   Version 2.6");
    EXPECT_EQ(frameCaption(caption::DataTable, "Big4", "d", "t"),
              "QUARN Inside Admission  DataTable  Big4     d   t   Version 2.6");
    const std::string now = frameCaptionNow(caption::SineDiagram, "Nominal");
    EXPECT_EQ(now.rfind("QUARN Inside Admission      Sine Diagram    Nominal     ", 0), 0u);
    EXPECT_EQ(now.substr(now.size() - 14), "   Version 2.6");
}

// Strange dimensions and views from a file must neither crash nor stall a tick.
struct StrangeCase {
    const char* name;
    void (*apply)(GearModel&);
};
void PrintTo(const StrangeCase& c, std::ostream* os) { *os << c.name; }

class StrangeGeometry : public ::testing::TestWithParam<StrangeCase> {};

TEST_P(StrangeGeometry, FrameIsDrawnWithCoordinatesInRange) {
    GearModel m;
    InitStartupState(m);
    GetParam().apply(m);
    const OutlinePoints outline = SolveAndMapFrame(m);
    RecordingCanvas rec;
    DrawFrame(m, {}, outline, rec);
    ASSERT_EQ(rec.items().size(), 72u);
    constexpr int Limit = 1000000 + 6;
    for (const auto& d : rec.items())
        for (int v : {d.x1, d.y1, d.x2, d.y2, d.x3, d.y3, d.x4, d.y4}) EXPECT_LE(std::abs(v), Limit);
    QImage image(1280, 1024, QImage::Format_RGB32);
    QtCanvas canvas(image);
    DrawFrame(m, {2, 1, 1}, outline, canvas);
}

constexpr float FInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, StrangeGeometry,
    ::testing::Values(
        StrangeCase{"HugeDriver", [](GearModel& m) { m.frame.DriverDia = 1e30f; }},
        StrangeCase{"NaNDriver", [](GearModel& m) { m.frame.DriverDia = std::nanf(""); }},
        StrangeCase{"InfiniteScale", [](GearModel& m) { m.ViewScale = FInf; }},
        StrangeCase{"NaNOffset", [](GearModel& m) { m.ViewOffsetX = std::nanf(""); }},
        StrangeCase{"HugeZoom", [](GearModel& m) { m.ViewScale = 1e20f; }},
        StrangeCase{"HugeCylinder",
                    [](GearModel& m) {
                        m.cyl.CylinderBoreLength = 1e35f;
                        m.cyl.ValveBoreDia = -FInf;
                    }},
        StrangeCase{"NaNAngle", [](GearModel& m) { m.DriverAngle = std::nanf(""); }},
        StrangeCase{"ZeroEverything", [](GearModel& m) { m.frame = FrameDims{}; }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
