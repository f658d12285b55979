// The four diagrams on the recording canvas: curves, labels and columns where the
// positions put them, the travel axis, the port edges of the nominal valve, the port
// window's graphs and legend, the closing panel and undo line, and the state left.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "canvas/recording_canvas.h"
#include "drawing/diagrams/diagrams.h"
#include "model/diagram_positions.h"
#include "model/diagram_sweeps.h"
#include "model/dyn_vars.h"
#include "model/solver.h"
#include "model/startup_model.h"
#include "support/strange_models.h"

namespace quarn {
namespace {

using Kind = DrawnItem::Kind;


std::vector<DrawnItem> texts(const RecordingCanvas& c, const std::string& s) {
    std::vector<DrawnItem> found;
    for (const auto& item : c.items())
        if (item.kind == Kind::Text && item.text == s) found.push_back(item);
    return found;
}

std::vector<DrawnItem> lines(const RecordingCanvas& c, Color color) {
    std::vector<DrawnItem> found;
    for (const auto& item : c.items())
        if (item.kind == Kind::Line && item.color == color) found.push_back(item);
    return found;
}

constexpr Color Teal{0, 128, 128};

struct DrawCase {
    const char* name;
    std::function<DiagramRequests(GearModel&, Canvas&)> draw;
};
void PrintTo(const DrawCase& c, std::ostream* os) { *os << c.name; }

std::vector<DrawCase> everyDrawing() {
    return {{"Sine", DrawSineDiagram},
            {"Oval", DrawOvalDiagram},
            {"Steam", DrawSteamDiagram},
            {"PortsForward", DrawPortDiagram},
            {"PortsBoth", [](GearModel& m, Canvas& c) {
                 m.diagrams.PortDiaMode = 'B';
                 return drawPortDiagramForMode(m, c);
             }}};
}

class EveryDiagram : public ::testing::TestWithParam<DrawCase> {};

TEST_P(EveryDiagram, LeavesTheReverseArmAndDriverAndNeverClears) {
    GearModel m = diagramOpenedModel();
    m.RevArmPosition = 9.75f;
    m.DriverAngle = 200.0f;
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    GetParam().draw(m, canvas);
    EXPECT_EQ(m.RevArmPosition, 9.75f);
    EXPECT_EQ(m.DriverAngle, 200.0f);
    EXPECT_FALSE(canvas.items().empty());
    for (const auto& item : canvas.items()) EXPECT_NE(item.kind, Kind::Clear);
}

// Without a dimension chosen the panel is the red banner and every bar disabled; the
// UnDo button follows its switch.
TEST_P(EveryDiagram, EndsWithTheBannerWhileNoDimensionIsChosen) {
    GearModel m = diagramOpenedModel();
    m.dyn.DynVarsShown = 1;
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    const DiagramRequests r = GetParam().draw(m, canvas);
    EXPECT_TRUE(r.barsVisible);
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(r.barsEnabled[k]) << k;
    EXPECT_FALSE(r.undoButtonVisible);
    const auto banner = texts(canvas, "* First Select Dimensions *");
    ASSERT_FALSE(banner.empty());
    EXPECT_EQ(banner.back().color, colors::Red);
    EXPECT_EQ(banner.back().x1, 235);
    EXPECT_EQ(banner.back().y1, 12);
}

TEST_P(EveryDiagram, DrawsEveryStrangeDesign) {
    for (const auto& strange : test::strangeModels()) {
        SCOPED_TRACE(strange.name);
        GearModel m = diagramOpenedModel();
        strange.apply(m);
        const GearModel before = m;
        RecordingCanvas canvas(DiagramWidth, DiagramHeight);
        GetParam().draw(m, canvas);
        test::expectSettled(before, m);
        EXPECT_FALSE(canvas.items().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Diagrams, EveryDiagram, ::testing::ValuesIn(everyDrawing()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DiagramEnd, PanelRowsAndTheUndoLineComposedForTheNextDrawing) {
    GearModel m = diagramOpenedModel();
    selectDynVar(m, 1, 9.0f, "Driver Dia");
    m.dyn.DynVarsShown = 1;
    m.dyn.UndoShown = 1;
    m.dyn.UndoCount = 1;
    m.dyn.UndoHistory[1] = {1, 9.0f, 9.01f, "Driver Dia"};
    RecordingCanvas first(DiagramWidth, DiagramHeight);
    const DiagramRequests r = DrawSineDiagram(m, first);
    EXPECT_TRUE(r.barsEnabled[1]);
    EXPECT_FALSE(r.barsEnabled[2]);
    EXPECT_TRUE(r.undoButtonVisible);
    ASSERT_EQ(texts(first, "Driver Dia").size(), 1u);
    EXPECT_EQ(texts(first, "Driver Dia")[0].x1, 235);
    EXPECT_EQ(texts(first, "Driver Dia")[0].y1, 2);
    EXPECT_EQ(texts(first, " 9.000").at(0).x1, 363);
    const std::string line = " 1- Driver Dia  9.010 to  9.000" + std::string(46, ' ');
    // The first drawing shows the line it found (none yet), then its own at once as the
    // bars are shown; with the bars hidden, only the next drawing shows it.
    ASSERT_EQ(texts(first, line).size(), 1u);
    EXPECT_EQ(texts(first, line)[0].x1, 150);
    EXPECT_EQ(texts(first, line)[0].y1, 55);
    m.dyn.DynVarsShown = 0;
    m.diagrams.UndoLine.clear();
    RecordingCanvas hidden(DiagramWidth, DiagramHeight);
    DrawSineDiagram(m, hidden);
    EXPECT_TRUE(texts(hidden, line).empty());
    RecordingCanvas next(DiagramWidth, DiagramHeight);
    DrawSineDiagram(m, next);
    EXPECT_EQ(texts(next, line).size(), 1u);
}

TEST(SineDiagram, ThreeCurvesLabelledAtTheirLeftEndsAndOneMidGearColumn) {
    GearModel m = diagramOpenedModel();
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    DrawSineDiagram(m, canvas);
    for (const char* k : {" 1", " 2", " 3"}) {
        const auto label = texts(canvas, k);
        ASSERT_EQ(label.size(), 1u) << k;
        EXPECT_EQ(label[0].x1, 45);
        EXPECT_TRUE(label[0].style.bold);
    }
    EXPECT_EQ(texts(canvas, "Lead").size(), 2u);
    EXPECT_EQ(texts(canvas, "ExCl").size(), 1u);
    // 66 segments a curve from x 58 to x 586, one pixel a degree.
    int segments = 0;
    for (const auto& l : lines(canvas, colors::Black))
        if (l.x2 - l.x1 == 8 && l.x1 >= 58 && l.x2 <= 586) ++segments;
    EXPECT_EQ(segments, 3 * 66);
}

TEST(SineDiagram, NoColumnWithoutAMidGearPosition) {
    GearModel m = diagramOpenedModel();
    m.RevArmPositions[1] = 11.0f;
    m.RevArmPositions[2] = 9.0f;
    m.RevArmPositions[3] = 0;
    applyRevArmSetRule(m);
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    DrawSineDiagram(m, canvas);
    EXPECT_TRUE(texts(canvas, "Lead").empty());
    EXPECT_TRUE(texts(canvas, "Lap").empty());
    EXPECT_TRUE(texts(canvas, "ExCl").empty());
    EXPECT_EQ(texts(canvas, "Fwd").size(), 1u);
    EXPECT_EQ(texts(canvas, "Rev").size(), 1u);
}

// With the nominal valve: lap 1.789 - 1.578 = 0.211, full port 0.211 + 0.297 = 0.508,
// exhaust clearance 0.211 + 0.297 - 0.5 = 0.008; 250 pixels a unit at scale 1.5.
TEST(SineDiagram, PortEdgeLinesOfTheNominalValve) {
    GearModel m = diagramOpenedModel();
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    DrawSineDiagram(m, canvas);
    std::set<int> lime, red;
    for (const auto& l : lines(canvas, colors::Lime)) {
        EXPECT_EQ(l.x1, 15);
        EXPECT_EQ(l.x2, 583);
        lime.insert(l.y1);
    }
    for (const auto& l : lines(canvas, colors::Red)) red.insert(l.y1);
    EXPECT_EQ(lime, (std::set<int>{162, 88, 213}));  // 215 - 52.75, - 127, - 2
    EXPECT_EQ(red, (std::set<int>{268, 342, 217}));
    EXPECT_EQ(texts(canvas, "Front Steam Port Open").at(0).y1, 146);  // 199 - 52.75
}

// TravelScale 4: g = 16, and beyond 3.75 only every fifth tick is drawn.
TEST(SineDiagram, CoarseScaleTicksAndLabelsEveryHalfUnit) {
    GearModel m = diagramOpenedModel();
    m.diagrams.TravelScale = 4.0f;
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    DrawSineDiagram(m, canvas);
    int fine = 0, main = 0;
    for (const auto& l : lines(canvas, colors::Black)) {
        if (l.x1 == 39 && l.x2 == 44) ++fine;
        if (l.x1 == 36 && l.x2 == 44) ++main;
    }
    EXPECT_EQ(fine, 33);  // h = -80..80 in fives: every 0.1 units
    EXPECT_EQ(main, 7);
    std::vector<std::string> labels;
    for (const auto& item : canvas.items())
        if (item.kind == Kind::Text && item.x1 == 14) labels.push_back(item.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"-1.5", "-1.0", "-0.5", "0.0", "0.5", "1.0",
                                                 "1.5"}));
    EXPECT_EQ(texts(canvas, "4.0").at(0).x1, 50);
}

// A design file may carry any scale; every one draws, and a huge one a bounded axis.
TEST(SineDiagram, AnyTravelScaleDrawsABoundedAxis) {
    for (float scale : {1e30f, std::numeric_limits<float>::infinity(), 0.0f, -1.0f,
                        std::nanf("")}) {
        GearModel m = diagramOpenedModel();
        m.diagrams.TravelScale = scale;
        RecordingCanvas canvas(DiagramWidth, DiagramHeight);
        DrawSineDiagram(m, canvas);
        EXPECT_LT(canvas.items().size(), 20000u) << scale;
    }
}

// The large-font layout moves the list's columns by 1.27 and its rows by 1.22, each
// row rounded before the 12 pixels of the header are added: 2 × 1.22 × 12 = 29.28.
TEST(SineDiagram, PositionListInTheLargeLayout) {
    GearModel m = diagramOpenedModel();
    m.screen.text = TextScale::large();
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    DrawSineDiagram(m, canvas);
    const auto header = texts(canvas, "Reverse Arm Positions");
    ASSERT_EQ(header.size(), 1u);
    EXPECT_EQ(header[0].x1, 635);  // 500 × 1.27
    const auto row = texts(canvas, "    2");
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0].x1, 692);  // 545 × 1.27 = 692.15
    EXPECT_EQ(row[0].y1, 41);
    EXPECT_EQ(texts(canvas, "Fwd").at(0).x1, 677);  // 533 × 1.27 = 676.91
}

TEST(OvalDiagram, EveryLoopTouchesBothDeadCentreLines) {
    GearModel m = diagramOpenedModel();
    RecordingCanvas canvas(DiagramWidth, OvalDiagramHeight);
    DrawOvalDiagram(m, canvas);
    // The loops are the black lines after the last rear port-edge line, 45 a position.
    const auto& items = canvas.items();
    std::size_t start = 0;
    for (std::size_t n = 0; n < items.size(); ++n)
        if (items[n].kind == Kind::Line && items[n].color == colors::Red) start = n + 1;
    std::vector<DrawnItem> loops;
    for (std::size_t n = start; n < items.size(); ++n)
        if (items[n].kind == Kind::Line) loops.push_back(items[n]);
    ASSERT_EQ(loops.size(), 3u * 45);
    for (std::size_t k = 0; k < 3; ++k) {
        std::set<int> xs;
        for (std::size_t s = 45 * k; s < 45 * (k + 1); ++s) xs.insert({loops[s].x1, loops[s].x2});
        EXPECT_EQ(*xs.rbegin(), 584) << k;  // 0 degrees
        EXPECT_EQ(*xs.begin(), 44) << k;    // 176 and 184 degrees round to it
        // Closed: the last segment ends where the first began.
        EXPECT_EQ(loops[45 * k + 44].x2, loops[45 * k].x1);
        EXPECT_EQ(loops[45 * k + 44].y2, loops[45 * k].y1);
    }
    for (const char* k : {" 1", " 2", " 3"}) {
        const auto label = texts(canvas, k);
        ASSERT_EQ(label.size(), 2u) << k;
        EXPECT_EQ(label[0].x1, 300);
        EXPECT_EQ(label[1].x1, 334);
    }
}

// The port's width moves no part of the gear: the loop numbers stand where they stand
// for the nominal valve, 213 and 204 above the travel at j = 22 and j = 46.
TEST(OvalDiagram, WideFrontPortKeepsTheLoopLabels) {
    auto labels = [](float width) {
        GearModel m = diagramOpenedModel();
        m.cyl.ValveBorePortWidthFront = width;
        RecordingCanvas canvas(DiagramWidth, OvalDiagramHeight);
        DrawOvalDiagram(m, canvas);
        std::vector<std::pair<int, int>> at;
        for (const auto& item : canvas.items())
            if (item.kind == Kind::Text && item.style.bold) at.emplace_back(item.x1, item.y1);
        return at;
    };
    const auto nominal = labels(0.297f);
    ASSERT_EQ(nominal.size(), 6u);
    EXPECT_EQ(labels(2.0f), nominal);
}

TEST(SteamDiagram, CurvesOverOneTurnWithTheirCutOffs) {
    GearModel m = diagramOpenedModel();
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    DrawSteamDiagram(m, canvas);
    // 90 curve segments per end and position, plus one admission piece per cut-off
    // drawn; every cut-off of the drawn turn comes once per end.
    const auto green = lines(canvas, colors::DarkGreen);
    const auto red = lines(canvas, colors::Red);
    EXPECT_GE(green.size(), 3u * 90);
    EXPECT_LE(green.size(), 3u * 91);
    EXPECT_GE(red.size(), 3u * 90);
    EXPECT_LE(red.size(), 3u * 91);
    // The figures left on screen: the last cut-off of each position, at its row.
    std::vector<std::string> front;
    for (const auto& item : canvas.items())
        if (item.kind == Kind::Text && item.x1 == 600 && item.y1 == 13 * 2 + 233)
            front.push_back(item.text);
    ASSERT_FALSE(front.empty());
    EXPECT_EQ(front.back(), "78.3");
    for (const auto& item : texts(canvas, "%CutOff"))
        EXPECT_EQ(item.color, item.x1 == 587 ? colors::DarkGreen : colors::Red);
}

TEST(SteamDiagram, ShortMainRodDrawsNoPointOutsideReason) {
    GearModel m = diagramOpenedModel();
    m.frame.MainRodLength = 1.0f;
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    DrawSteamDiagram(m, canvas);
    EXPECT_EQ(m.DriverAngle, diagramOpenedModel().DriverAngle);
    for (const auto& l : lines(canvas, colors::DarkGreen)) {
        // A segment either lies near the window or ran off with an infinite pressure.
        for (int v : {l.x1, l.y1, l.x2, l.y2})
            EXPECT_TRUE(std::abs(v) < 100000 || std::abs(v) == 1000000000) << v;
    }
}

// RevArmToCentNormal 1.5 and RevArmToCentMax 1.7: 343 - 1.5 × 288 / 1.7 = 88.88.
TEST(PortDiagram, NormalGearLineAt89) {
    GearModel m = diagramOpenedModel();
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    DrawPortDiagram(m, canvas);
    const auto blue = lines(canvas, colors::Blue);
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_EQ(blue[0].y1, 89);
    EXPECT_EQ(blue[0].x1, 59);
    EXPECT_EQ(blue[0].x2, 650);
    EXPECT_EQ(texts(canvas, "Normal").at(0).y1, 82);
}

// An event's first point has no line; every later point joins the one before from the
// row below.
TEST(PortDiagram, FirstPointOfAnEventHasNoLine) {
    GearModel m = diagramOpenedModel();
    const PortSweep sweep = portSweep(m, 'F');
    std::size_t found = 0;
    std::set<int> kinds;
    for (const auto& p : sweep.positions)
        for (const auto& e : p.events) {
            ++found;
            kinds.insert(e.event);
        }
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    m.diagrams.PortLegendOn = 0;
    DrawPortDiagram(m, canvas);
    const std::size_t drawn = lines(canvas, Teal).size() + lines(canvas, colors::Red).size();
    EXPECT_EQ(drawn, found - kinds.size());
    for (const auto& l : lines(canvas, Teal)) EXPECT_EQ(l.y1 - l.y2, 16);
}

TEST(PortDiagram, BothGraphsShowOnlyTheForwardLegend) {
    GearModel m = diagramOpenedModel();
    m.diagrams.PortDiaMode = 'B';
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    drawPortDiagramForMode(m, canvas);
    EXPECT_EQ(m.diagrams.PortDiaMode, 'B');
    EXPECT_EQ(m.diagrams.PortLegendOn, 1);
    EXPECT_EQ(texts(canvas, "Exp").size(), 1u);
    EXPECT_EQ(texts(canvas, "Adm").size(), 1u);
    EXPECT_FALSE(texts(canvas, "Forward").empty());
    EXPECT_FALSE(texts(canvas, "Rev.").empty());
    EXPECT_FALSE(lines(canvas, colors::Maroon).empty());
    std::set<int> valueColumns;
    for (const auto& item : canvas.items())
        if (item.kind == Kind::Text && item.y1 == 336) valueColumns.insert(item.x1);
    EXPECT_EQ(valueColumns, (std::set<int>{556, 596}));
}

TEST(PortDiagram, ReverseModeDrawsOnlyTheReverseGraph) {
    GearModel m = diagramOpenedModel();
    m.diagrams.PortDiaMode = 'R';
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    drawPortDiagramForMode(m, canvas);
    EXPECT_TRUE(lines(canvas, Teal).empty());
    EXPECT_FALSE(lines(canvas, colors::DarkGreen).empty());
    EXPECT_TRUE(texts(canvas, "Forward").empty());
    EXPECT_EQ(m.diagrams.PortDiaMode, 'R');
}

}  // namespace
}  // namespace quarn
