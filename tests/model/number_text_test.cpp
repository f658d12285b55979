// The number text every read-out, list and field uses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cfenv>
#include <cstdio>
#include <iomanip>
#include <limits>
#include <ostream>
#include <random>
#include <string>

#include "model/number_text.h"

namespace quarn {
namespace {

struct Row {
    const char* name;
    double x;
    int width, decimals;
    const char* text;
};
void PrintTo(const Row& r, std::ostream* os) {
    *os << r.name << ": Str(" << std::setprecision(17) << r.x << ", " << r.width << ", "
        << r.decimals << ")";
}
std::string rowName(const ::testing::TestParamInfo<Row>& info) { return info.param.name; }

class FixedDecimals : public ::testing::TestWithParam<Row> {};

TEST_P(FixedDecimals, RightAligned) {
    const Row& r = GetParam();
    EXPECT_EQ(Str(r.x, r.width, r.decimals), r.text);
}

INSTANTIATE_TEST_SUITE_P(NumberText, FixedDecimals,
                         ::testing::Values(Row{"PaddedToTheWidth", 9.0, 6, 3, " 9.000"},
                                           Row{"NegativeFillsTheWidth", -0.211, 6, 3, "-0.211"},
                                           Row{"WiderThanTheWidth", 10.2984, 5, 3, "10.298"},
                                           Row{"NeverCutToTheWidth", 1234.5, 2, 1, "1234.5"},
                                           Row{"Zero", 0.0, 4, 2, "0.00"},
                                           Row{"NoWidth", 78.2616, 0, 1, "78.3"},
                                           Row{"TinyNegativeKeepsItsSign", -1e-9, 6, 3, "-0.000"}),
                         rowName);

// Dimensions in sixteenths and thirty-seconds of an inch are exact binary ties; they
// read rounded up as on a drawing.
class ExactTies : public ::testing::TestWithParam<Row> {};

TEST_P(ExactTies, RoundAwayFromZero) {
    const Row& r = GetParam();
    EXPECT_EQ(Str(r.x, r.width, r.decimals), r.text);
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, ExactTies,
    ::testing::Values(Row{"Sixteenths_0_3125", 0.3125, 0, 3, "0.313"},
                      Row{"Sixteenths_0_1875_Padded", 0.1875, 6, 3, " 0.188"},
                      Row{"Sixteenths_Minus0_3125", -0.3125, 0, 3, "-0.313"},
                      Row{"Sixteenths_0_0625", 0.0625, 0, 3, "0.063"},
                      Row{"Halves_2_5", 2.5, 0, 0, "3"}, Row{"Halves_0_5", 0.5, 0, 0, "1"},
                      Row{"Halves_Minus2_5_Padded", -2.5, 4, 0, "  -3"},
                      Row{"Halves_9_5", 9.5, 0, 0, "10"},
                      Row{"ThirtySeconds_99_96875", 99.96875, 0, 4, "99.9688"},
                      Row{"ThirtySeconds_0_03125", 0.03125, 0, 4, "0.0313"},
                      Row{"Eighths_0_125", 0.125, 0, 2, "0.13"},
                      Row{"Eighths_0_375_Padded", 0.375, 5, 2, " 0.38"},
                      // A single widened to double: the same tie, the same text.
                      Row{"Single_0_3125", 0.3125f, 0, 3, "0.313"},
                      Row{"CarryThroughNines_199_5", 199.5, 0, 0, "200"},
                      Row{"ElevenPlaceTie_2047_2048", 0.99951171875, 0, 10, "0.9995117188"},
                      Row{"Halves_Minus0_5", -0.5, 0, 0, "-1"},
                      // 2^50 + 1/2: a tie whose whole part needs sixteen digits.
                      Row{"Halves_Large", 1125899906842624.5, 0, 0, "1125899906842625"},
                      // 2^-23 at 22 decimals and 2^-24 at 23: the last digit a 5.
                      Row{"TwoToMinus23_22Places", 0x1p-23, 0, 22, "0.0000001192092895507813"},
                      Row{"TwoToMinus24_23Places", 0x1p-24, 0, 23, "0.00000005960464477539063"}),
    rowName);

// Values a hair off a tie round to the nearer side.
class OffATie : public ::testing::TestWithParam<Row> {};

TEST_P(OffATie, RoundsToTheNearerSide) {
    const Row& r = GetParam();
    EXPECT_EQ(Str(r.x, r.width, r.decimals), r.text);
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, OffATie,
    ::testing::Values(Row{"AboveTheHalf_2047_2048", 0.99951171875, 0, 3, "1.000"},
                      Row{"OneThird", 1.0 / 3, 0, 3, "0.333"},
                      // 0.0005 is no binary tie: the double is a little over.
                      Row{"LittleOver_0_0005", 0.0005, 0, 3, "0.001"},
                      // The double of 0.15 is 0.1499999999999999944.
                      Row{"LittleUnder_0_15", 0.15, 0, 1, "0.1"},
                      // The single of 10.2984 is 10.29839992...
                      Row{"Single_10_2984", 10.2984f, 6, 3, "10.298"},
                      // 1/16 at 4 decimals is exact: no rounding at all.
                      Row{"ExactAtMoreDecimals_0_0625", 0.0625, 0, 4, "0.0625"},
                      // An exact zero with its sign bit set (a point on the axis) is
                      // zero, on both roads of the text; a tiny negative keeps its sign.
                      Row{"NegativeZero", -0.0, 6, 3, " 0.000"},
                      Row{"NegativeZeroNoDecimals", -0.0, 0, 0, "0"},
                      Row{"NegativeZeroPrintfRoad", -0.0, 0, 25, "0.0000000000000000000000000"},
                      Row{"TinyNegativeRoundsToZero", -0.0004, 0, 3, "-0.000"},
                      Row{"Subnormal", 4.9406564584124654e-324, 0, 3, "0.000"},
                      // 2^-24 at 22 decimals is past the tie: the digit after is a 6.
                      Row{"TwoToMinus24_22Places", 0x1p-24, 0, 22, "0.0000000596046447753906"},
                      Row{"TwentyFiveDecimals", 0.1, 0, 25, "0.1000000000000000055511151"},
                      Row{"NineteenDigitWhole", 1e19, 0, 1, "10000000000000000000.0"}),
    rowName);

std::string printfText(double x, int decimals) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    return buf;
}

// printf's text rounding away from zero: glibc rounds in the current rounding mode.
std::string printfAwayFromZero(double x, int decimals) {
    const int saved = std::fegetround();
    std::fesetround(x > 0 ? FE_UPWARD : FE_DOWNWARD);
    std::string text = printfText(x, decimals);
    std::fesetround(saved);
    return text;
}

// A double is odd × 2^e; at d decimals it is a tie exactly when e = -(d + 1). Away from
// the ties the text is printf's, which rounds the exact binary value to the nearer
// side; at a tie it is printf's text rounded away from zero.
TEST(NumberText, AgreesWithPrintfAwayFromTiesOverTheReadOutRange) {
    std::mt19937_64 gen(20261209);
    std::uniform_int_distribution<std::int64_t> odd(0, (std::int64_t{1} << 40) - 1);
    std::uniform_int_distribution<int> exponent(-70, 10);
    std::uniform_int_distribution<int> places(0, 9);
    int ties = 0;
    for (int i = 0; i < 20000; ++i) {
        const int d = places(gen);
        const int e = exponent(gen);
        const double x = std::ldexp(double(2 * odd(gen) + 1), e) * (i % 2 ? -1 : 1);
        std::string expected;
        if (e == -(d + 1)) {
            ++ties;
            expected = printfAwayFromZero(x, d);
        } else {
            expected = printfText(x, d);
        }
        ASSERT_EQ(Str(x, 0, d), expected) << std::setprecision(17) << x << " at " << d;
    }
    EXPECT_GT(ties, 100);  // the exponents give every place its ties
}

TEST(NumberText, IntegersAndStrangeValues) {
    EXPECT_EQ(Str(20, 2), "20");
    EXPECT_EQ(Str(7, 2), " 7");
    EXPECT_EQ(Str(-5, 4), "  -5");
    EXPECT_EQ(Str(std::numeric_limits<double>::quiet_NaN(), 6, 3), "   NAN");
    EXPECT_EQ(Str(std::numeric_limits<double>::infinity(), 0, 3), "+INF");
    EXPECT_EQ(Str(1e300, 0, 2).size(), 304u);  // printed in full, never cut
}

}  // namespace
}  // namespace quarn
