// The number text every read-out, list and field uses.
#include <gtest/gtest.h>

#include <limits>

#include "model/number_text.h"

namespace quarn {
namespace {

struct Row {
    double x;
    int width, decimals;
    const char* text;
};

TEST(NumberText, FixedDecimalsRightAligned) {
    const Row rows[] = {
        {9.0, 6, 3, " 9.000"},        {-0.211, 6, 3, "-0.211"},  {10.2984, 5, 3, "10.298"},
        {1234.5, 2, 1, "1234.5"},     {0.0, 4, 2, "0.00"},       {78.2616, 0, 1, "78.3"},
        {-1e-9, 6, 3, "-0.000"},
    };
    for (const auto& r : rows) EXPECT_EQ(Str(r.x, r.width, r.decimals), r.text) << r.x;
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
