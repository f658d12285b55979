// The tick's mapping to the screen: halves to even, the absolute slots 6 and 11, the
// outline points, and safe conversion of reals that do not fit a pixel.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>

#include "drawing/run_frame.h"
#include "drawing/frame_mapping.h"
#include "model/solver.h"

namespace quarn {
namespace {

struct RoundCase {
    const char* name;
    double value;
    int expected;
};
void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.name; }

class RoundToScreen : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToScreen, NearestHalvesToEvenAndClampedToTheLimit) {
    EXPECT_EQ(roundToScreen(GetParam().value), GetParam().expected);
}

constexpr double Inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Values, RoundToScreen,
    ::testing::Values(RoundCase{"TwoAndAHalf", 2.5, 2}, RoundCase{"ThreeAndAHalf", 3.5, 4},
                      RoundCase{"MinusTwoAndAHalf", -2.5, -2},
                      RoundCase{"MinusThreeAndAHalf", -3.5, -4}, RoundCase{"Half", 0.5, 0},
                      RoundCase{"JustBelowHalf", 2.4999999, 2},
                      RoundCase{"JustAboveHalf", 2.5000001, 3},
                      RoundCase{"MinusJustAboveHalf", -2.5000001, -3},
                      RoundCase{"NaN", std::nan(""), 0}, RoundCase{"Infinity", Inf, 1000000},
                      RoundCase{"MinusInfinity", -Inf, -1000000},
                      RoundCase{"Huge", 1e30, 1000000}, RoundCase{"MinusHuge", -1e30, -1000000},
                      RoundCase{"AtTheLimit", 999999.5, 1000000}),
    [](const auto& info) { return std::string(info.param.name); });

// A model with the identity view, so that screen x is the horizontal and screen y
// minus the vertical.
GearModel identityView() {
    GearModel m;
    m.view.ViewScale = 1;
    m.view.ViewOffsetX = 0;
    m.view.ViewOffsetY = 0;
    return m;
}

TEST(PivotsToScreen, RoundsEachPivotHalvesToEven) {
    GearModel m = identityView();
    m.PivotHorz[1] = 2.5f;
    m.PivotVert[1] = 2.5f;
    m.PivotHorz[2] = 3.5f;
    m.PivotVert[2] = -3.5f;
    m.PivotHorz[21] = -2.5f;
    m.PivotVert[21] = 1.5f;
    mapPivotsToScreen(m);
    EXPECT_EQ(m.PivotScreenX[1], 2);
    EXPECT_EQ(m.PivotScreenY[1], -2);
    EXPECT_EQ(m.PivotScreenX[2], 4);
    EXPECT_EQ(m.PivotScreenY[2], 4);
    EXPECT_EQ(m.PivotScreenX[21], -2);
    EXPECT_EQ(m.PivotScreenY[21], -2);
}

TEST(PivotsToScreen, SlotsSixAndElevenShowTheAbsolutePivots) {
    GearModel m = identityView();
    m.PivotHorz[16] = 10;
    m.PivotVert[16] = 10;
    m.PivotHorz[11] = 2.5f;  // reverse-arm pivot: back 2.5, down 1 from the mounting point
    m.PivotVert[11] = 1;
    m.PivotHorz[6] = 0.5f;  // bell-crank pivot: back 0.5, up 0.5
    m.PivotVert[6] = 0.5f;
    mapPivotsToScreen(m);
    EXPECT_EQ(m.PivotScreenX[11], 8);   // 7.5 to even
    EXPECT_EQ(m.PivotScreenY[11], -9);  // vertical 9 is screen -9
    EXPECT_EQ(m.PivotScreenX[6], 10);   // 9.5 to even
    EXPECT_EQ(m.PivotScreenY[6], -10);  // vertical 10.5, screen -10.5 to even
}

TEST(PivotsToScreen, NominalViewAndOnlyPivotsUpToTwentyOne) {
    GearModel m;
    InitStartupState(m);
    for (int p = 22; p < PivotCount; ++p) {
        m.PivotScreenX[p] = -7;
        m.PivotScreenY[p] = -7;
    }
    mapPivotsToScreen(m);
    // Gear mounting point (13.75, 5.781): x = 333.5, rounded to the even 334.
    EXPECT_EQ(m.PivotScreenX[16], 334);
    EXPECT_EQ(m.PivotScreenY[16], 176);
    EXPECT_EQ(m.PivotScreenX[6], 311);  // bell-crank pivot (12.5, 6.672)
    EXPECT_EQ(m.PivotScreenY[6], 160);
    EXPECT_EQ(m.PivotScreenX[11], 280);  // reverse-arm pivot (10.789, 4.031)
    EXPECT_EQ(m.PivotScreenY[11], 207);
    EXPECT_EQ(m.PivotScreenX[0], 86);
    EXPECT_EQ(m.PivotScreenY[0], 280);
    for (int p = 22; p < PivotCount; ++p) EXPECT_EQ(m.PivotScreenX[p], -7) << p;
}

TEST(PivotsToScreen, StrangeValuesBecomeSafePixels) {
    GearModel m = identityView();
    m.PivotHorz[1] = std::nanf("");
    m.PivotHorz[2] = 1e30f;
    m.PivotVert[2] = std::numeric_limits<float>::infinity();
    m.PivotHorz[16] = -1e38f;
    mapPivotsToScreen(m);
    EXPECT_EQ(m.PivotScreenX[1], 0);
    EXPECT_EQ(m.PivotScreenX[2], 1000000);
    EXPECT_EQ(m.PivotScreenY[2], -1000000);
    EXPECT_EQ(m.PivotScreenX[11], -1000000);
    m.view.ViewScale = std::numeric_limits<float>::infinity();  // 0 times infinity is NaN
    mapPivotsToScreen(m);
    EXPECT_EQ(m.PivotScreenX[0], 0);
    EXPECT_EQ(m.PivotScreenX[2], 1000000);
}

TEST(OutlinePoints, NominalCylinderCornersAndPorts) {
    GearModel m;
    InitStartupState(m);
    SolveLinkage(m);
    const OutlinePoints o = computeOutlinePoints(m);
    // The valve bore's rear end at 23.1875, top at 4.375, bottom at 2.875.
    EXPECT_EQ(o.cylinderStart, (ScreenPoint{503, 201}));
    EXPECT_EQ(o.CylinderOutlinePoints[0], (ScreenPoint{503, 228}));
    // The cylinder's front bottom corner (29.1875, -1.125) and rear top (23.8125, 1.625).
    EXPECT_EQ(o.CylinderOutlinePoints[4], (ScreenPoint{611, 300}));
    EXPECT_EQ(o.CylinderOutlinePoints[2], (ScreenPoint{515, 251}));
    // The rear port's inner edge at 24.711 on the valve bottom.
    EXPECT_EQ(o.PortInnerPoints[0], (ScreenPoint{531, 228}));
    // The piston and valve ride on their centre lines.
    EXPECT_EQ(o.PistonRodEnd.y, 276);     // 275.5 to even
    EXPECT_EQ(o.ValveSpindleEnd.y, 215);  // 214.75
    EXPECT_EQ(o.PistonPoints[0].y, o.CylinderOutlinePoints[2].y);
    EXPECT_EQ(o.PistonPoints[1].y, o.CylinderOutlinePoints[3].y);
    EXPECT_EQ(o.RearValveHeadPoints[0].y, o.cylinderStart.y);
    EXPECT_EQ(o.FrontValveHeadPoints[2].x, o.ValveSpindleEnd.x);
}

}  // namespace
}  // namespace quarn
