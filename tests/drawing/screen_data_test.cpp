// The frame's text panel on the recording canvas: the value panel and its formats, both
// text layouts, the undo line and the UnDo button's place, the pivot data block, the
// pick prompts, the cut-off read-out, the reference points and the dynamic variables.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "canvas/recording_canvas.h"
#include "drawing/frame_mapping.h"
#include "drawing/run_frame.h"
#include "model/dyn_vars.h"
#include "support/strange_models.h"

namespace quarn {
namespace {

using Kind = DrawnItem::Kind;

struct Placed {
    int x, y;
    friend bool operator==(const Placed&, const Placed&) = default;
};
std::ostream& operator<<(std::ostream& os, const Placed& p) {
    return os << "(" << p.x << ", " << p.y << ")";
}

// Start-up model at 0 degrees: 18 pixels a unit, the driver centre at (86, 280).
struct ScreenDataFrame : ::testing::Test {
    GearModel m;
    RecordingCanvas canvas;
    Random random{3};
    FrameRequests requests;
    void SetUp() override {
        InitStartupState(m);
        m.DriverAngle = 0;
        solveAndMapFrame(m);
    }
    const std::vector<DrawnItem>& draw() {
        canvas = RecordingCanvas();
        requests = RunFrame(m, canvas, random);
        return canvas.items();
    }
    std::vector<DrawnItem> texts() const {
        std::vector<DrawnItem> out;
        for (const DrawnItem& d : canvas.items())
            if (d.kind == Kind::Text) out.push_back(d);
        return out;
    }
    std::optional<DrawnItem> text(const std::string& s) const {
        for (const DrawnItem& d : canvas.items())
            if (d.kind == Kind::Text && d.text == s) return d;
        return std::nullopt;
    }
    std::optional<Placed> at(const std::string& s) const {
        const auto d = text(s);
        if (!d) return std::nullopt;
        return Placed{d->x1, d->y1};
    }
    // Text items standing at a position, whatever they say.
    std::vector<std::string> textsAt(int x, int y) const {
        std::vector<std::string> out;
        for (const DrawnItem& d : texts())
            if (d.x1 == x && d.y1 == y) out.push_back(d.text);
        return out;
    }
};

TEST_F(ScreenDataFrame, ValuePanelOfTheNominalGearAtZero) {
    m.RevArmPosition = 10.3f;
    solveAndMapFrame(m);
    draw();
    EXPECT_EQ(at("Pan Vert"), (Placed{199, 25}));
    EXPECT_EQ(at("Pan Horz"), (Placed{199, 39}));
    EXPECT_EQ(at("Zoom"), (Placed{199, 53}));
    EXPECT_EQ(at("Rev Arm 10.300  "), (Placed{459, 25}));
    EXPECT_EQ(at("Driv Ang   0.00  "), (Placed{459, 39}));
    EXPECT_EQ(at("Step Ang 10.00  "), (Placed{459, 53}));
    // At 0 degrees the piston stands at the rear dead centre.
    EXPECT_EQ(at("Piston %   0.00  "), (Placed{545, 25}));
    for (const auto& [label, y] : {std::pair{"ValveCen", 37}, {"ValveFSt", 49}, {"ValveFEx", 61},
                                   {"ValveRSt", 73}, {"ValveREx", 85}, {"ConRodA", 97}}) {
        const auto line = textsAt(545, y);
        ASSERT_EQ(line.size(), 1u) << label;
        EXPECT_EQ(line[0].rfind(label, 0), 0u) << line[0];
        EXPECT_EQ(line[0].size(), std::string(label).size() + 7 + 2) << line[0];
    }
    for (const DrawnItem& d : texts()) {
        EXPECT_EQ(d.style, TextStyle{}) << d.text;  // 8 point, black, regular, clear
    }
}

TEST_F(ScreenDataFrame, ValueFormatsFromSetValues) {
    // The frame draws what the model holds; set it after the solve.
    m.DriverAngle = 123.456f;
    m.StepAngleSetting = 1;
    m.PistonPos640 = 320;
    m.cyl.ValveCtrToJoint = 2;
    m.cyl.CylCtrToDriverCtr = 20;
    m.PivotHorz[4] = 18.25f;
    m.FrontSteamOpening = -0.1234f;
    m.FrontExhaustOpening = 1.5f;
    m.RearSteamOpening = 12.3456f;
    m.RearExhaustOpening = -123.4567f;
    m.GearConRodAngle = static_cast<float>(std::numbers::pi / 6);
    draw();
    EXPECT_EQ(textsAt(459, 39), std::vector<std::string>{"Driv Ang 123.46  "});
    EXPECT_EQ(textsAt(459, 53), std::vector<std::string>{"Step Ang  1.00  "});
    EXPECT_EQ(textsAt(545, 25), std::vector<std::string>{"Piston %  50.00  "});
    EXPECT_EQ(textsAt(545, 37), std::vector<std::string>{"ValveCen  0.250  "});
    EXPECT_EQ(textsAt(545, 49), std::vector<std::string>{"ValveFSt -0.123  "});
    EXPECT_EQ(textsAt(545, 61), std::vector<std::string>{"ValveFEx  1.500  "});
    EXPECT_EQ(textsAt(545, 73), std::vector<std::string>{"ValveRSt 12.346  "});
    EXPECT_EQ(textsAt(545, 85), std::vector<std::string>{"ValveREx-123.457  "});
    EXPECT_EQ(textsAt(545, 97), std::vector<std::string>{"ConRodA  30.00  "});
}

TEST_F(ScreenDataFrame, PistonJustBehindDeadCentreReadsZero) {
    m.PistonPos640 = -0.00003f;  // -0.0000047 %, lifted to +0.0000053
    draw();
    EXPECT_EQ(textsAt(545, 25), std::vector<std::string>{"Piston %   0.00  "});
}

TEST_F(ScreenDataFrame, LargeFontMovesEveryPanelText) {
    m.screen.text = TextScale::large();
    draw();
    // x: N(199 * 1.27) = 253, N(459 * 1.27) = 583, N(545 * 1.27) = 692;
    // y: N(25 * 1.22) = 31, N(39 * 1.22) = 48, N(53 * 1.22) = 65, N(97 * 1.22) = 118.
    EXPECT_EQ(at("Pan Vert"), (Placed{253, 31}));
    EXPECT_EQ(at("Zoom"), (Placed{253, 65}));
    EXPECT_EQ(at("Driv Ang   0.00  "), (Placed{583, 48}));
    EXPECT_EQ(at("Step Ang 10.00  "), (Placed{583, 65}));
    EXPECT_EQ(at("Piston %   0.00  "), (Placed{692, 31}));
    ASSERT_EQ(textsAt(692, 118).size(), 1u);
    EXPECT_EQ(textsAt(692, 118)[0].rfind("ConRodA", 0), 0u);
    // The gear itself does not move.
    EXPECT_EQ(m.PivotScreenX[13], 86);
}

struct UndoCase {
    const char* name;
    bool dynVars, large;
    Placed line;
    int buttonTop;
};

class UndoLinePlaceTest : public ScreenDataFrame,
                          public ::testing::WithParamInterface<UndoCase> {};

TEST_P(UndoLinePlaceTest, LineAndButtonWithAndWithoutThePanel) {
    m.dyn.UndoShown = 1;
    m.dyn.DynVarsShown = GetParam().dynVars;
    if (GetParam().large) m.screen.text = TextScale::large();
    m.dyn.UndoCount = 1;
    m.dyn.UndoHistory[1] = {1, 9.0f, 9.01f, "Driver Dia"};
    draw();
    EXPECT_EQ(at(" 1- Driver Dia  9.010 to  9.000"), GetParam().line);
    EXPECT_EQ(requests.undoButtonTop, GetParam().buttonTop);
}

// Both coordinates of the line and the button's top use the horizontal factor:
// 320 * 1.27 = 406.4, 73 * 1.27 = 92.71, 72 * 1.27 = 91.44, 128 * 1.27 = 162.56,
// 127 * 1.27 = 161.29.
INSTANTIATE_TEST_SUITE_P(
    Places, UndoLinePlaceTest,
    ::testing::Values(UndoCase{"Alone", false, false, {320, 73}, 72},
                      UndoCase{"UnderDynVars", true, false, {320, 128}, 127},
                      UndoCase{"AloneLarge", false, true, {406, 93}, 91},
                      UndoCase{"UnderDynVarsLarge", true, true, {406, 163}, 161}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenDataFrame, UndoHiddenWithoutItsSwitch) {
    m.dyn.UndoCount = 1;
    m.dyn.UndoHistory[1] = {1, 9.0f, 9.01f, "Driver Dia"};
    draw();
    EXPECT_FALSE(requests.undoButtonTop.has_value());
    EXPECT_FALSE(at(" 1- Driver Dia  9.010 to  9.000").has_value());
}

TEST_F(ScreenDataFrame, ScreenDataOffDrawsNoneOfItAndPausesTheCutOff) {
    m.screen.ScreenDataOn = 0;
    m.dyn.UndoShown = 1;
    m.dyn.DynVarsShown = 1;
    m.screen.RefPointsOn = 1;
    m.screen.PivotDataOn = 1;
    m.screen.PickPending = 1;
    m.overlay.ReferenceChoice = 1;
    m.screen.PrevFrontSteamOpening = 0.5f;
    m.FrontSteamOpening = -0.5f;
    m.screen.PrevPistonPos = 77;
    const std::size_t count = draw().size();
    EXPECT_TRUE(texts().empty());
    EXPECT_FALSE(requests.undoButtonTop.has_value());
    EXPECT_FALSE(requests.dynVarBarsEnabled.has_value());
    EXPECT_EQ(m.screen.FrontCutOffFrames, 0);
    EXPECT_EQ(m.screen.PrevPistonPos, 77.0f);
    EXPECT_EQ(m.screen.PrevFrontSteamOpening, 0.5f);
    // Only the gear: the same frame as with every feature switch off.
    GearModel plain;
    InitStartupState(plain);
    plain.screen.ScreenDataOn = 0;
    solveAndMapFrame(plain);
    RecordingCanvas other;
    RunFrame(plain, other, random);
    EXPECT_EQ(count, other.items().size());
}

TEST_F(ScreenDataFrame, PivotDataBlockRowsAndDistances) {
    m.screen.PivotDataOn = 1;
    // Row 1 on the driver centre (pivot 13 at 0, 0), row 2 on pivot 5 moved to
    // Horz 3, Vert 4, row 4 alone on pivot 7 moved to Horz -1, Vert 0.5.
    m.PivotHorz[5] = 3, m.PivotVert[5] = 4;
    m.PivotHorz[7] = -1, m.PivotVert[7] = 0.5f;
    m.screen.PivotDataRowSet[1] = 1, m.screen.PivotDataRowPivot[1] = 13;
    m.screen.PivotDataRowSet[2] = 1, m.screen.PivotDataRowPivot[2] = 5;
    m.screen.PivotDataRowSet[4] = 1, m.screen.PivotDataRowPivot[4] = 7;
    draw();
    EXPECT_EQ(at("    Pivot Data"), (Placed{1, 128}));
    EXPECT_EQ(at("No.  Vert     Horz"), (Placed{1, 138}));
    for (int k = 1; k <= 6; ++k) {
        const auto number = textsAt(3, 140 + 10 * k);
        ASSERT_EQ(number.size(), 1u) << k;
        EXPECT_EQ(number[0], std::to_string(k));
    }
    EXPECT_EQ(text("3")->color, colors::Red);
    EXPECT_EQ(textsAt(12, 150), std::vector<std::string>{"  0.000"});
    EXPECT_EQ(textsAt(50, 150), std::vector<std::string>{"  0.000"});
    EXPECT_EQ(textsAt(12, 160), std::vector<std::string>{"  4.000"});
    EXPECT_EQ(textsAt(50, 160), std::vector<std::string>{"  3.000"});
    EXPECT_EQ(textsAt(12, 180), std::vector<std::string>{"  0.500"});
    EXPECT_EQ(textsAt(50, 180), std::vector<std::string>{" -1.000"});
    EXPECT_TRUE(textsAt(12, 170).empty());
    // Between rows 1 and 2 only: 3-4-5.
    EXPECT_EQ(textsAt(90, 155), std::vector<std::string>{"  5.000"});
    for (int k = 2; k <= 5; ++k) EXPECT_TRUE(textsAt(90, 145 + 10 * k).empty()) << k;
    // The red row numbers beside the pivots on the drawing, 4 right and 12 up:
    // pivot 13 at (86, 280), pivot 5 at (86 + 54, 280 - 72), pivot 7 at (68, 271).
    EXPECT_EQ(textsAt(90, 268), std::vector<std::string>{"1"});
    EXPECT_EQ(textsAt(144, 196), std::vector<std::string>{"2"});
    EXPECT_EQ(textsAt(72, 259), std::vector<std::string>{"4"});
    for (const DrawnItem& d : texts()) {
        if (d.text.size() == 1) {
            EXPECT_EQ(d.style.color, colors::Red) << d.text;
        } else {
            EXPECT_EQ(d.style.color, colors::Black) << d.text;
        }
    }
}

TEST_F(ScreenDataFrame, RowsOneAndThreeAloneShowNoDistance) {
    m.screen.PivotDataOn = 1;
    m.screen.PivotDataRowSet[1] = 1, m.screen.PivotDataRowPivot[1] = 13;
    m.screen.PivotDataRowSet[3] = 1, m.screen.PivotDataRowPivot[3] = 12;
    draw();
    for (int k = 1; k <= 5; ++k) EXPECT_TRUE(textsAt(90, 145 + 10 * k).empty()) << k;
}

TEST_F(ScreenDataFrame, PivotDataBlockUnderTheLargeFont) {
    m.screen.PivotDataOn = 1;
    m.screen.text = TextScale::large();
    m.screen.PivotDataRowSet[1] = 1, m.screen.PivotDataRowPivot[1] = 13;
    draw();
    // (1, 128) -> (1, 156); row 1 at y N(150 * 1.22) = 183, x N(3 * 1.27) = 4,
    // N(12 * 1.27) = 15; the number on the drawing stays at (90, 268).
    EXPECT_EQ(at("    Pivot Data"), (Placed{1, 156}));
    EXPECT_EQ(textsAt(4, 183), std::vector<std::string>{"1"});
    EXPECT_EQ(textsAt(15, 183), std::vector<std::string>{"  0.000"});
    EXPECT_EQ(textsAt(90, 268), std::vector<std::string>{"1"});
}

struct PromptCase {
    const char* name;
    int choice;
    std::vector<std::string> lines;
};

class PickPrompts : public ScreenDataFrame, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(PickPrompts, RedBoldByTheReferenceChoice) {
    m.screen.PickPending = 1;
    m.overlay.ReferenceChoice = GetParam().choice;
    draw();
    std::vector<std::string> found;
    for (int y : {130, 143, 156}) {
        for (const std::string& s : textsAt(10, y)) {
            found.push_back(s);
            const TextStyle st = text(s)->style;
            EXPECT_EQ(st.color, colors::Red) << s;
            EXPECT_TRUE(st.bold) << s;
        }
    }
    EXPECT_EQ(found, GetParam().lines);
}

const std::vector<std::string> onePivot{"STOP MOTION AND SELECT PIVOT 1", "USE LEFT MOUSE BUTTON",
                                        "MOVE MOTION IF NECESSARY TO CLEAR PIVOT"};

INSTANTIATE_TEST_SUITE_P(
    Choices, PickPrompts,
    ::testing::Values(PromptCase{"Fixed", 0, onePivot}, PromptCase{"Pivot1", 1, onePivot},
                      PromptCase{"Piv1To00", 2, onePivot},
                      PromptCase{"Piv1Piv2", 3,
                                 {"STOP MOTION AND SELECT PIVOT 1 AND PIVOT 2",
                                  "USE LEFT MOUSE BUTTON FIRST THEN RIGHT",
                                  "MOVE MOTION IF NECESSARY TO CLEAR PIVOTS"}},
                      PromptCase{"NoChoice", -1, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenDataFrame, NoPromptsWhileNoPickIsPending) {
    m.overlay.ReferenceChoice = 1;
    draw();
    EXPECT_TRUE(textsAt(10, 130).empty());
}

TEST_F(ScreenDataFrame, CutOffShownAfterAClosing) {
    m.StepAngle = 10;
    m.screen.PrevFrontSteamOpening = 0.2f;
    m.screen.PrevPistonPos = m.PistonPos640 - 10;
    m.FrontSteamOpening = -0.2f;
    draw();
    EXPECT_EQ(at("FrontCO% "), (Placed{545, 109}));
    EXPECT_EQ(at("RearCO% "), (Placed{545, 121}));
    ASSERT_EQ(textsAt(600, 109).size(), 1u);
    EXPECT_EQ(textsAt(600, 109)[0], m.screen.FrontCutOffText);
    EXPECT_TRUE(textsAt(600, 121).empty());  // the rear has not closed
    EXPECT_EQ(m.screen.FrontCutOffFrames, 39);
}

TEST_F(ScreenDataFrame, CutOffLinesHiddenWhenStoppedOrFast) {
    m.screen.PrevFrontSteamOpening = 0.2f;
    m.FrontSteamOpening = -0.2f;
    for (float step : {0.0f, 23.0f}) {
        m.StepAngle = step;
        draw();
        EXPECT_FALSE(at("FrontCO% ").has_value()) << step;
        EXPECT_FALSE(at("RearCO% ").has_value()) << step;
        EXPECT_TRUE(textsAt(600, 109).empty()) << step;
    }
}

struct RefPointFrame : ScreenDataFrame {
    void SetUp() override {
        ScreenDataFrame::SetUp();
        m.screen.RefPointsOn = 1;
        // Point 1 at Horz 1, Vert 2 -> (104, 244); point 2 at Horz 4, Vert 6 -> (158, 172).
        m.PivotHorz[19] = 1, m.PivotVert[19] = 2;
        m.PivotHorz[20] = 4, m.PivotVert[20] = 6;
    }
    // The lines drawn after the first text: the two crosses.
    std::vector<DrawnItem> lines() const {
        std::vector<DrawnItem> out;
        bool afterGear = false;
        for (const DrawnItem& d : canvas.items()) {
            if (d.kind == Kind::Text) afterGear = true;
            if (afterGear && d.kind == Kind::Line) out.push_back(d);
        }
        return out;
    }
};

TEST_F(RefPointFrame, CrossesLabelsAndReadOuts) {
    draw();
    const auto l = lines();
    ASSERT_EQ(l.size(), 4u);
    auto ends = [](const DrawnItem& d) { return std::array{d.x1, d.y1, d.x2, d.y2}; };
    // Point 2 first.
    EXPECT_EQ(ends(l[0]), (std::array{158, 162, 158, 182}));
    EXPECT_EQ(ends(l[1]), (std::array{148, 172, 168, 172}));
    EXPECT_EQ(ends(l[2]), (std::array{104, 234, 104, 254}));
    EXPECT_EQ(ends(l[3]), (std::array{94, 244, 114, 244}));
    for (const DrawnItem& d : l) EXPECT_EQ(d.color, colors::Black);
    EXPECT_EQ(at("Pt2V  6.000"), (Placed{143, 95}));
    EXPECT_EQ(at("Pt2H  4.000"), (Placed{143, 107}));
    EXPECT_EQ(at("2"), (Placed{161, 155}));
    EXPECT_EQ(at("Pt1V  2.000"), (Placed{143, 71}));
    EXPECT_EQ(at("Pt1H  1.000"), (Placed{143, 83}));
    EXPECT_EQ(at("1"), (Placed{107, 227}));
    EXPECT_EQ(at("-4.000"), (Placed{210, 71}));
    EXPECT_EQ(at("-3.000"), (Placed{210, 83}));
    EXPECT_EQ(at("Pt1-Pt2"), (Placed{207, 95}));
    EXPECT_EQ(at(" 5.000"), (Placed{209, 107}));
}

TEST_F(RefPointFrame, PointTwoIsDrawnBeforePointOne) {
    draw();
    const auto t = texts();
    std::vector<std::string> order;
    for (const DrawnItem& d : t)
        if (d.text.rfind("Pt", 0) == 0 || d.text == "1" || d.text == "2") order.push_back(d.text);
    EXPECT_EQ(order, (std::vector<std::string>{"Pt2V  6.000", "Pt2H  4.000", "2", "Pt1V  2.000",
                                               "Pt1H  1.000", "1", "Pt1-Pt2"}));
}

struct CrossColorCase {
    const char* name;
    float type, color;
    Color expected;
};

class ReferenceCrossColor : public RefPointFrame,
                            public ::testing::WithParamInterface<CrossColorCase> {};

TEST_P(ReferenceCrossColor, PenOfTheTwentiethOverlayItem) {
    m.overlay.ItemType[20] = GetParam().type;
    m.overlay.ItemColor[20] = GetParam().color;
    m.overlay.ItemType[19] = 0, m.overlay.ItemColor[19] = 65535;  // not the last item
    draw();
    const auto l = lines();
    ASSERT_GE(l.size(), 4u);
    for (auto it = l.end() - 4; it != l.end(); ++it) EXPECT_EQ(it->color, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ReferenceCrossColor,
    ::testing::Values(CrossColorCase{"EmptyItem", -1, -1, colors::Black},
                      CrossColorCase{"EmptyWithAColour", -1, 255, colors::Black},
                      CrossColorCase{"RedLine", 0, 255, colors::Red},
                      CrossColorCase{"BlueCircle", 1, 16711680, colors::Blue},
                      CrossColorCase{"GreyLine", 0, 8421504, colors::Grey},
                      CrossColorCase{"LineWithoutColour", 0, -1, colors::Black}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RefPointFrame, LargeFontMovesTheReadOutsNotTheLabels) {
    m.screen.text = TextScale::large();
    draw();
    // (143, 71) -> (N(181.61), N(86.62)) = (182, 87); labels stay beside the points.
    EXPECT_EQ(at("Pt1V  2.000"), (Placed{182, 87}));
    EXPECT_EQ(at("1"), (Placed{107, 227}));
    EXPECT_EQ(at("2"), (Placed{161, 155}));
}

TEST_F(ScreenDataFrame, DynVarBannerWhileNoDimensionIsSelected) {
    m.dyn.DynVarsShown = 1;
    draw();
    EXPECT_EQ(textsAt(377, 71), std::vector<std::string>{"*******************************"});
    EXPECT_EQ(textsAt(377, 81), std::vector<std::string>{"* First Select Dimensions *"});
    EXPECT_EQ(textsAt(377, 95), std::vector<std::string>{"*******************************"});
    EXPECT_EQ(text("* First Select Dimensions *")->style.color, colors::Red);
    EXPECT_TRUE(textsAt(498, 71).empty());
    ASSERT_TRUE(requests.dynVarBarsEnabled.has_value());
    EXPECT_EQ(*requests.dynVarBarsEnabled, (std::array<bool, 5>{}));
}

TEST_F(ScreenDataFrame, DynVarSlotsAndTheirBars) {
    m.dyn.DynVarsShown = 1;
    selectDynVar(m, 1, 9.0f, "Driver Dia");
    selectDynVar(m, 2, 4.25f, "Stroke");
    draw();
    // The last selected first.
    EXPECT_EQ(textsAt(377, 71), std::vector<std::string>{"Stroke"});
    EXPECT_EQ(textsAt(498, 71), std::vector<std::string>{" 4.250"});
    EXPECT_EQ(textsAt(377, 83), std::vector<std::string>{"Driver Dia"});
    EXPECT_EQ(textsAt(498, 83), std::vector<std::string>{" 9.000"});
    EXPECT_EQ(textsAt(377, 95), std::vector<std::string>{"             ??"});
    EXPECT_EQ(textsAt(498, 107), std::vector<std::string>{" 0.000"});
    EXPECT_EQ(text("Stroke")->style.color, colors::Black);
    EXPECT_EQ(requests.dynVarBarsEnabled, (std::array<bool, 5>{false, true, true, false, false}));
}

TEST_F(ScreenDataFrame, DynVarPanelUnderTheLargeFont) {
    m.dyn.DynVarsShown = 1;
    m.screen.text = TextScale::large();
    selectDynVar(m, 1, 9.0f, "Driver Dia");
    draw();
    // (377, 71) -> (N(478.79), N(86.62)) = (479, 87); (498, 83) -> (632, N(101.26)) = (632, 101).
    EXPECT_EQ(at("Driver Dia"), (Placed{479, 87}));
    EXPECT_EQ(textsAt(632, 87), std::vector<std::string>{" 9.000"});
    EXPECT_EQ(textsAt(632, 101), std::vector<std::string>{" 0.000"});
}

TEST_F(ScreenDataFrame, NoPanelNoBarRequest) {
    selectDynVar(m, 1, 9.0f, "Driver Dia");
    draw();
    EXPECT_FALSE(requests.dynVarBarsEnabled.has_value());
    EXPECT_FALSE(at("Driver Dia").has_value());
}

// Strange values with every part of the panel on: the frame is drawn, every
// coordinate stays in range.
class StrangeScreenData : public ::testing::TestWithParam<test::StrangeCase> {};

TEST_P(StrangeScreenData, EveryPartDrawsInRange) {
    GearModel m;
    InitStartupState(m);
    GetParam().apply(m);
    m.screen.RefPointsOn = m.screen.PivotDataOn = m.screen.PickPending = 1;
    m.dyn.DynVarsShown = m.dyn.UndoShown = 1;
    m.overlay.ReferenceChoice = 3;
    m.screen.PivotDataRowSet.fill(1);
    for (int k = 1; k <= 6; ++k) m.screen.PivotDataRowPivot[k] = float(3 * k);
    m.screen.PrevFrontSteamOpening = m.screen.PrevRearSteamOpening = 1;
    solveAndMapFrame(m);
    RecordingCanvas rec;
    Random random(1);
    RunFrame(m, rec, random);
    constexpr int Limit = 1000000 + 17;
    for (const auto& d : rec.items())
        for (int v : {d.x1, d.y1, d.x2, d.y2, d.x3, d.y3, d.x4, d.y4}) EXPECT_LE(std::abs(v), Limit);
    EXPECT_LE(m.screen.FrontCutOffText.size(), 10u);
    EXPECT_LE(m.screen.RearCutOffText.size(), 10u);
}

INSTANTIATE_TEST_SUITE_P(Cases, StrangeScreenData, ::testing::ValuesIn(test::strangeModels()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
