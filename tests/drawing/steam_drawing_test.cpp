// The steam pixels on the recording canvas: where each region's pixels fall and how many
// there are, the legend, the frame's requests (beats, beep, error flash), and that the
// pixels skipped off the picture leave the ones on it exactly as drawing them all would.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "canvas/recording_canvas.h"
#include "drawing/frame_mapping.h"
#include "drawing/run_frame.h"
#include "drawing/steam_drawing.h"
#include "model/rounding.h"
#include "model/steam.h"
#include "support/strange_models.h"

namespace quarn {
namespace {

using Kind = DrawnItem::Kind;

std::vector<DrawnItem> pixelsOf(const std::vector<DrawnItem>& items) {
    std::vector<DrawnItem> out;
    for (const auto& d : items)
        if (d.kind == Kind::Pixel) out.push_back(d);
    return out;
}

struct SteamFrameTest : ::testing::Test {
    GearModel m;
    OutlinePoints o;
    Random random{11};
    void SetUp() override {
        InitStartupState(m);
        m.DriverAngle = 40;
        solveAndMapFrame(m);
        o = computeOutlinePoints(m);
    }
    ScreenPoint S() const { return o.cylinderStart; }
    ScreenPoint O(int i) const { return o.CylinderOutlinePoints[static_cast<std::size_t>(i)]; }
    ScreenPoint P(int i) const { return o.PortInnerPoints[static_cast<std::size_t>(i)]; }
    ScreenPoint Pi(int i) const { return o.PistonPoints[static_cast<std::size_t>(i)]; }
    ScreenPoint Rh(int i) const { return o.RearValveHeadPoints[static_cast<std::size_t>(i)]; }
    ScreenPoint Fh(int i) const { return o.FrontValveHeadPoints[static_cast<std::size_t>(i)]; }
    int H() const { return O(0).y - S().y; }
};

// Each colour belongs to one end here: front magenta (expansion), rear dark green
// (compression), front exhaust open (blue), rear exhaust closed (white), chest red.
SteamFrame distinctColours() {
    SteamFrame f;
    f.front = SteamEvent::Expansion;
    f.rear = SteamEvent::Compression;
    f.frontPixels = 900;  // 60 in the passage, 180 beside the head, 75 pairs
    f.rearPixels = 600;   // 40, 120, 50
    f.frontExhaustOpen = true;
    f.rearExhaustOpen = false;
    return f;
}

// An inclusive box on the screen.
struct Region {
    const char* name;
    int x0, x1, y0, y1;
    bool holds(const DrawnItem& d) const {
        return d.x1 >= x0 && d.x1 <= x1 && d.y1 >= y0 && d.y1 <= y1;
    }
};

// Every pixel of colour c lies in one of its regions, and there are as many as the
// regions' counts add up to.
void expectRegions(const std::vector<DrawnItem>& pixels, Color c, const std::vector<Region>& regions,
                   const std::vector<int>& counts) {
    std::vector<int> found(regions.size(), 0);
    for (const auto& d : pixels) {
        if (d.color != c) continue;
        bool placed = false;
        for (std::size_t i = 0; i < regions.size() && !placed; ++i)
            if (regions[i].holds(d)) {
                ++found[i];
                placed = true;
            }
        EXPECT_TRUE(placed) << "pixel at " << d.x1 << "," << d.y1 << " outside its regions";
    }
    int total = 0, expectedTotal = 0;
    for (int v : found) total += v;
    for (int v : counts) expectedTotal += v;
    // Neighbouring regions share an edge row, so the count is checked per colour.
    EXPECT_EQ(total, expectedTotal);
}

TEST_F(SteamFrameTest, EveryRegionGetsItsPixelsInsideItsBounds) {
    m.screen.ScreenDataOn = 0;
    RecordingCanvas canvas;
    EXPECT_FALSE(drawSteam(m, distinctColours(), o, canvas, random));
    const auto pixels = pixelsOf(canvas.items());
    ASSERT_EQ(pixels.size(), canvas.items().size()) << "no text with the screen data off";
    const int yC = o.ValveSpindleEnd.y;
    // Chest: N(18 x 5.4) = 97 in the inlet, N(18 x 43.2) = 778 between the heads.
    expectRegions(pixels, colors::Red,
                  {{"Inlet", O(12).x, O(10).x - 1, S().y - (O(0).y - yC) + 1, S().y},
                   {"BetweenHeads", Rh(3).x, Fh(0).x - 1, S().y, S().y + H() - 1}},
                  {97, 778});
    // Front: 900 between the piston's front face and the front cover, 60 in the passage
    // from the front port (x(P3)..x(O6)) slanting to the cylinder top at x(O5).
    const int slant = O(5).x - O(6).x;
    expectRegions(pixels, colors::Magenta,
                  {{"FrontSpace", Pi(3).x, O(5).x - 1, O(2).y, O(3).y - 1},
                   {"FrontPassage", P(3).x + std::min(0, slant) + 1, O(6).x + std::max(0, slant),
                    O(0).y, O(2).y - 1}},
                  {900, 60});
    // Rear: 600 between the rear cover and the piston's rear face, 40 in its passage.
    const int back = O(2).x - O(1).x;
    expectRegions(pixels, colors::DarkGreen,
                  {{"RearSpace", O(2).x, Pi(0).x - 1, O(2).y, O(3).y - 1},
                   {"RearPassage", O(1).x + std::min(0, back), P(0).x - 1 + std::max(0, back),
                    O(0).y, O(2).y - 1}},
                  {600, 40});
    // Exhaust, front open: 180 between the front head and the bore end, 75 rising from
    // the outlet towards the middle, 75 in the plume above the inlet gap.
    // The plume widens from the gap's middle by one gap width either side per bore
    // height, over three bore heights.
    const int plumeBase = 2 * S().y - O(0).y;
    const int gap = O(10).x - O(12).x, middle = O(12).x + gap / 2;
    const Region plume{"Plume", middle - 3 * gap - 1, middle + 3 * gap + 1, plumeBase - 3 * H() + 1,
                       plumeBase};
    expectRegions(pixels, colors::Blue,
                  {{"FrontHeadToBoreEnd", Fh(3).x, O(8).x - 1, S().y, S().y + H() - 1},
                   {"FrontOutlet", O(12).x, O(8).x - 1, S().y - H() + 1, S().y},
                   plume},
                  {180, 75, 75});
    expectRegions(pixels, colors::White,
                  {{"BoreStartToRearHead", S().x, Rh(0).x - 1, S().y, S().y + H() - 1},
                   {"RearOutlet", S().x, O(11).x - 1 + (O(12).x - S().x), S().y - H() + 1, S().y},
                   plume},
                  {120, 50, 50});
    EXPECT_EQ(pixels.size(), 97u + 778 + 900 + 60 + 600 + 40 + 180 + 150 + 120 + 100);
}

TEST_F(SteamFrameTest, LegendAtTheRearBottomCornerOnlyWithTheScreenData) {
    struct Expected {
        const char* text;
        Color color;
        int x, y;
    };
    // O3 is the cylinder's rear bottom corner, (515, 300) at this angle and view.
    ASSERT_EQ(O(3), (ScreenPoint{515, 300}));
    const std::vector<Expected> expected{{"ADMISSION", colors::Red, 475, 305},
                                         {"EXPANSION", colors::Magenta, 555, 305},
                                         {"EXHAUST", colors::Blue, 475, 317},
                                         {"COMPRESSION", colors::DarkGreen, 539, 317}};
    for (std::uint8_t on : {std::uint8_t{1}, std::uint8_t{0}}) {
        m.screen.ScreenDataOn = on;
        m.screen.text = {1.27f, 1.22f};  // the large-font layout does not move them
        RecordingCanvas canvas;
        drawSteam(m, distinctColours(), o, canvas, random);
        std::vector<DrawnItem> texts;
        for (const auto& d : canvas.items())
            if (d.kind == Kind::Text) texts.push_back(d);
        if (!on) {
            EXPECT_TRUE(texts.empty());
            continue;
        }
        ASSERT_EQ(texts.size(), expected.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].text, expected[i].text);
            EXPECT_EQ(texts[i].style.color, expected[i].color) << expected[i].text;
            EXPECT_EQ(texts[i].x1, expected[i].x) << expected[i].text;
            EXPECT_EQ(texts[i].y1, expected[i].y) << expected[i].text;
        }
        // The legend comes after every pixel.
        EXPECT_EQ(canvas.items().back().text, "COMPRESSION");
    }
}

TEST_F(SteamFrameTest, TheSameFrameTwiceGivesTheSamePixels) {
    RecordingCanvas first, second;
    drawSteam(m, distinctColours(), o, first, random);
    drawSteam(m, distinctColours(), o, second, random);
    EXPECT_EQ(first.items(), second.items());
}

// The rear end has seen no event: its pixels and its level take the front's admission.
TEST_F(SteamFrameTest, RearTakesTheFrontsColourUntilItsFirstEvent) {
    m.SteamDisplayOn = 1;
    m.FrontSteamOpening = 0.4f;
    m.FrontExhaustOpening = m.RearSteamOpening = m.RearExhaustOpening = -1;
    RecordingCanvas canvas;
    RunFrame(m, canvas, random);
    // Front 20 + 10 x 50 x 0.5 = 270 -> N(262.7) = 263 pixels; rear 20 + 10 x 50 x
    // (-1 + 0.1) = -430, floored to 25 -> N(24.3) = 24 pixels.
    EXPECT_FLOAT_EQ(m.steam.FrontSteamLevel, 270);
    EXPECT_FLOAT_EQ(m.steam.RearSteamLevel, 25);
    EXPECT_EQ(m.steam.RearEventState, 0);
    const Region rearSpace{"RearSpace", O(2).x, Pi(0).x - 1, O(2).y, O(3).y - 1};
    const Region frontSpace{"FrontSpace", Pi(3).x, O(5).x - 1, O(2).y, O(3).y - 1};
    int rear = 0, front = 0;
    for (const auto& d : pixelsOf(canvas.items())) {
        if (rearSpace.holds(d)) {
            EXPECT_EQ(d.color, colors::Red);
            ++rear;
        }
        if (frontSpace.holds(d)) {
            EXPECT_EQ(d.color, colors::Red);
            ++front;
        }
    }
    EXPECT_EQ(rear, 24);
    EXPECT_EQ(front, 263);
}

TEST_F(SteamFrameTest, SteamOffDrawsNoPixelAndFreezesTheState) {
    m.SteamDisplayOn = 0;
    m.FrontSteamOpening = 0.4f;
    m.FrontExhaustOpening = 0.3f;
    m.steam.FrontBeatArmed = '1';
    RecordingCanvas canvas;
    const FrameRequests r = RunFrame(m, canvas, random);
    EXPECT_TRUE(pixelsOf(canvas.items()).empty());
    EXPECT_TRUE(r.sounds.empty());
    EXPECT_FLOAT_EQ(m.steam.FrontSteamLevel, 20);
    EXPECT_EQ(m.steam.FrontEventState, 0);
    EXPECT_EQ(m.steam.FrontBeatArmed, '1');
}

TEST_F(SteamFrameTest, ExhaustBeatsBecomeSoundRequestsAfterThePixels) {
    m.SteamDisplayOn = 1;
    m.FrontExhaustOpening = 0.3f;
    m.RearExhaustOpening = -0.2f;
    m.steam.FrontBeatArmed = '1';
    m.steam.RearReleaseLevel = 450;
    RecordingCanvas canvas;
    const FrameRequests r = RunFrame(m, canvas, random);
    EXPECT_EQ(r.sounds, (std::vector<SoundRequest>{{"Exhaust.wav", 0x4000}}));
    EXPECT_EQ(m.steam.RearBeatArmed, '1');
    // The rear sounds next time at the front's release; nothing saved below 24 keeps
    // the volume as it was.
    m.FrontExhaustOpening = 0.3f;
    m.RearExhaustOpening = 0.2f;
    m.steam.FrontReleaseLevel = 10;
    RecordingCanvas again;
    EXPECT_EQ(RunFrame(m, again, random).sounds,
              (std::vector<SoundRequest>{{"Exhaust.wav", std::nullopt}}));
}

// A valve bore of no height: every exhaust and plume pixel guards a zero span. The
// frame asks for the beep once, and only with ErrorBeepOn.
struct BeepCase {
    const char* name;
    float valveBoreDia;
    std::uint8_t beepOn;
    bool beep;
};
void PrintTo(const BeepCase& c, std::ostream* os) { *os << c.name; }

class ZeroSpanBeep : public ::testing::TestWithParam<BeepCase> {};

TEST_P(ZeroSpanBeep, OneBeepRequestPerFrame) {
    GearModel m;
    InitStartupState(m);
    m.cyl.ValveBoreDia = GetParam().valveBoreDia;
    m.ErrorBeepOn = GetParam().beepOn;
    m.SteamDisplayOn = 1;
    solveAndMapFrame(m);
    const OutlinePoints o = computeOutlinePoints(m);
    if (GetParam().valveBoreDia == 0) {
        ASSERT_EQ(o.CylinderOutlinePoints[0].y, o.cylinderStart.y) << "the bore should be flat";
    }
    RecordingCanvas canvas;
    Random random(3);
    const FrameRequests r = RunFrame(m, canvas, random);
    EXPECT_EQ(r.beep, GetParam().beep);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZeroSpanBeep,
                         ::testing::Values(BeepCase{"FlatBoreBeepOn", 0, 1, true},
                                           BeepCase{"FlatBoreBeepOff", 0, 0, false},
                                           BeepCase{"NominalBoreBeepOn", 2.5f, 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SteamFrameTest, ErrorFlashRunsOnlyWithTheScreenData) {
    m.GeometryError = 1;
    m.screen.ScreenDataOn = 0;
    RecordingCanvas off;
    const FrameRequests quiet = RunFrame(m, off, random);
    EXPECT_FALSE(quiet.errorItemVisible.has_value());
    EXPECT_TRUE(quiet.sounds.empty());
    EXPECT_EQ(m.GeometryError, 1);
    EXPECT_EQ(m.steam.ErrorFlashCount, 0);

    m.screen.ScreenDataOn = 1;
    for (int frame = 1; frame <= 10; ++frame) {
        RecordingCanvas canvas;
        const FrameRequests r = RunFrame(m, canvas, random);
        ASSERT_TRUE(r.errorItemVisible.has_value()) << "frame " << frame;
        EXPECT_EQ(*r.errorItemVisible, frame < 10) << "frame " << frame;
        if (frame < 10)
            EXPECT_TRUE(r.sounds.empty()) << "frame " << frame;
        else
            EXPECT_EQ(r.sounds, (std::vector<SoundRequest>{{"Error.wav", std::nullopt}}));
    }
}

// Pixels off the picture are skipped without drawing their numbers; the ones on it must
// be exactly those of the same frame drawn on a surface big enough for every pixel.
// The big surface sees the same view moved by a whole number of pixels, so its pixels
// are the small one's moved by that much.
struct CutCase {
    const char* name;
    float scale;
    double horz, vert;  // the small surface's centre, from the cylinder's centre
    int width, height;
};
void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class SkippedPixels : public ::testing::TestWithParam<CutCase> {};

TEST_P(SkippedPixels, LeaveThePixelsOnThePictureAsDrawingThemAll) {
    const CutCase& c = GetParam();
    constexpr int Shift = 100000;
    GearModel m;
    InitStartupState(m);
    m.DriverAngle = 120;
    m.view.ViewScale = c.scale;
    auto outlineAt = [&m](int offsetX, int offsetY) {
        m.view.ViewOffsetX = static_cast<float>(offsetX);
        m.view.ViewOffsetY = static_cast<float>(offsetY);
        solveAndMapFrame(m);
        return computeOutlinePoints(m);
    };
    const int ox = roundHalfEven(c.width / 2.0 - (m.cyl.CylCtrToDriverCtr + c.horz) * c.scale);
    const int oy = roundHalfEven(c.height / 2.0 + (m.PivotVert[3] + c.vert) * c.scale);
    SteamFrame f = distinctColours();
    f.frontPixels = 4000;
    f.rearPixels = 3000;

    Random random(5);
    RecordingCanvas small(c.width, c.height);
    drawSteam(m, f, outlineAt(ox, oy), small, random);
    RecordingCanvas big(4 * Shift, 4 * Shift);
    drawSteam(m, f, outlineAt(ox + Shift, oy + Shift), big, random);

    std::vector<DrawnItem> expected;
    int bigPixels = 0;
    for (DrawnItem d : pixelsOf(big.items())) {
        ++bigPixels;
        d.x1 -= Shift;
        d.y1 -= Shift;
        if (d.x1 >= 0 && d.x1 < c.width && d.y1 >= 0 && d.y1 < c.height) expected.push_back(d);
    }
    const int all = roundHalfEven(c.scale * 5.4) + roundHalfEven(c.scale * 43.2) + 4000 +
                    4000 / 15 + 4000 / 5 + 2 * (4000 / 12) + 3000 + 3000 / 15 + 3000 / 5 +
                    2 * (3000 / 12);
    ASSERT_EQ(bigPixels, all) << "the big surface must hold every pixel";
    EXPECT_FALSE(expected.empty());
    EXPECT_LT(expected.size(), static_cast<std::size_t>(all));
    EXPECT_EQ(pixelsOf(small.items()), expected);
}

// The nominal cylinder is about 5.3 long and 2.7 across, its valve line 3.3 above, the
// valve bore 6.7 long.
INSTANTIATE_TEST_SUITE_P(
    Cases, SkippedPixels,
    ::testing::Values(CutCase{"NominalAroundTheCylinder", 18, 0, 0, 300, 200},
                      CutCase{"NominalChestAndPlume", 18, 0, 5.3, 200, 160},
                      CutCase{"NominalRearCorner", 18, -2, 1.5, 200, 120},
                      CutCase{"CloseInsideTheFrontEnd", 540, 1.5, 0, 400, 300},
                      CutCase{"CloseAcrossTheValveChest", 540, 0, 3.3, 640, 480},
                      CutCase{"CloseOverTheRearPassage", 540, -2.2, 2, 500, 400},
                      CutCase{"CloseOverTheRearBoreEnd", 540, -3.1, 3.3, 400, 200}),
    [](const auto& info) { return std::string(info.param.name); });

// Four pixels of the front cylinder space and nothing else (a scale too small for any
// chest pixel, too few for a passage or exhaust pixel): pixel k is x = x(Pi3) + R(200),
// y = y(O2) + R(100) with the k-th pair of draws after the reseed, also when some land
// off a narrow surface and their y is never drawn.
struct RuleOrderCase {
    const char* name;
    int width;
};
void PrintTo(const RuleOrderCase& c, std::ostream* os) { *os << c.name; }

class FrontSpaceDraws : public ::testing::TestWithParam<RuleOrderCase> {};

TEST_P(FrontSpaceDraws, TakeTheirDrawsInTheOrderOfTheRule) {
    GearModel m;
    m.view.ViewScale = 0.01f;  // N(0.054) = N(0.432) = 0 chest pixels
    m.screen.ScreenDataOn = 0;
    OutlinePoints o;
    o.PistonPoints[3] = {100, 50};
    o.CylinderOutlinePoints[5] = {300, 50};
    o.CylinderOutlinePoints[2] = {0, 50};
    o.CylinderOutlinePoints[3] = {0, 150};
    SteamFrame f;
    f.front = SteamEvent::Admission;
    f.frontPixels = 4;
    Random random(21), rule(21);
    rule.reseed();
    std::vector<DrawnItem> expected;
    for (int k = 0; k < 4; ++k) {
        DrawnItem d;
        d.kind = Kind::Pixel;
        d.color = colors::Red;
        d.x1 = 100 + rule.below(200);
        d.y1 = 50 + rule.below(100);
        if (d.x1 < GetParam().width) expected.push_back(d);
    }
    RecordingCanvas canvas(GetParam().width, 1024);
    drawSteam(m, f, o, canvas, random);
    EXPECT_EQ(canvas.items(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FrontSpaceDraws,
                         ::testing::Values(RuleOrderCase{"AllOnTheSurface", 1280},
                                           RuleOrderCase{"SomeOffTheRightEdge", 200}),
                         [](const auto& info) { return std::string(info.param.name); });

// Strange dimensions and views with the steam on: the frame is drawn to its end.
class StrangeSteam : public ::testing::TestWithParam<test::StrangeCase> {};

TEST_P(StrangeSteam, FrameWithSteamIsDrawnAndLevelsStayInTheBand) {
    GearModel m;
    InitStartupState(m);
    m.SteamDisplayOn = 1;
    GetParam().apply(m);
    solveAndMapFrame(m);
    RecordingCanvas rec;
    Random random(1);
    RunFrame(m, rec, random);
    for (const auto& d : pixelsOf(rec.items())) {
        EXPECT_GE(d.x1, 0);
        EXPECT_LT(d.x1, FrameWidth);
        EXPECT_GE(d.y1, 0);
        EXPECT_LT(d.y1, FrameHeight);
    }
    EXPECT_GE(m.steam.FrontSteamLevel, 25);
    EXPECT_LE(m.steam.RearSteamLevel, 2000);
}

INSTANTIATE_TEST_SUITE_P(Cases, StrangeSteam, ::testing::ValuesIn(test::strangeModels()),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the random numbers ----

TEST(SteamRandom, SkipPassesOverExactlyThatManyDraws) {
    Random a(9), b(9);
    a.reseed();
    b.reseed();
    for (int i = 0; i < 7; ++i) a.below(1000);
    b.below(0);  // a span of 0 uses a number too
    b.below(-4);
    b.skip(5);
    EXPECT_EQ(a.below(1 << 30), b.below(1 << 30));
}

TEST(SteamRandom, PeekLooksAheadWithoutUsingANumber) {
    Random a(4), b(4);
    a.reseed();
    b.reseed();
    const std::uint64_t third = a.peek(2);
    EXPECT_EQ(a.peek(0), b.raw());
    b.raw();
    EXPECT_EQ(third, b.raw());
    EXPECT_EQ(a.raw(), Random(4).peek(0));
}

// The raw numbers whose R(3) is 1 are ceil(2^64 / 3) .. ceil(2 x 2^64 / 3) - 1.
struct WindowCase {
    const char* name;
    int n;
    long long lo, hi;
    std::uint64_t v;
    bool inside;
};
void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

class DrawWindow : public ::testing::TestWithParam<WindowCase> {};

TEST_P(DrawWindow, HoldsTheRawNumbersOfItsRange) {
    const WindowCase& c = GetParam();
    EXPECT_EQ(Random::window(c.n, c.lo, c.hi).contains(c.v), c.inside);
    if (c.n > 0 && c.lo == c.hi && c.lo >= 0 && c.lo < c.n) {
        EXPECT_EQ(Random::scale(c.v, c.n) == c.lo, c.inside);
    }
}

constexpr std::uint64_t Third = 6148914691236517206ULL;       // ceil(2^64 / 3)
constexpr std::uint64_t TwoThirds = 12297829382473034411ULL;  // ceil(2 x 2^64 / 3)
INSTANTIATE_TEST_SUITE_P(
    Cases, DrawWindow,
    ::testing::Values(WindowCase{"FirstOfTheMiddleThird", 3, 1, 1, Third, true},
                      WindowCase{"JustBeforeTheMiddleThird", 3, 1, 1, Third - 1, false},
                      WindowCase{"LastOfTheMiddleThird", 3, 1, 1, TwoThirds - 1, true},
                      WindowCase{"JustAfterTheMiddleThird", 3, 1, 1, TwoThirds, false},
                      WindowCase{"WholeRangeHoldsTheTop", 3, -5, 7, ~std::uint64_t{0}, true},
                      WindowCase{"EmptyRange", 3, 2, 1, Third, false},
                      WindowCase{"RangeAboveTheSpan", 3, 3, 9, ~std::uint64_t{0}, false},
                      WindowCase{"ZeroSpanIsZeroInRange", 0, -1, 0, 12345, true},
                      WindowCase{"ZeroSpanIsZeroOutOfRange", 0, 1, 5, 12345, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
