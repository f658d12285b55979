// Text positions of the large-font layout: base × the stored single factor, halves to even.
#include <gtest/gtest.h>

#include "model/text_scale.h"

namespace quarn {
namespace {

TEST(TextScale, PositionsMoveByTheFactorsRounded) {
    const TextScale large = TextScale::large();
    EXPECT_EQ(large.x(377), 479);  // 478.79
    EXPECT_EQ(large.y(71), 87);    // 86.62
    EXPECT_EQ(TextScale::small().x(377), 377);
    const TextScale half{1.5f, 0.5f};
    EXPECT_EQ(half.x(5), 8);  // 7.5 goes to the even neighbour
    EXPECT_EQ(half.y(5), 2);  // 2.5 likewise
}

// 1.22 as a single is 1.2200000286; 25 × that is 30.5000007, just above the half, so
// the row lands on 31. The decimal 1.22 in double (1.2199999999999999734) gave 30.
TEST(TextScale, FactorsAreSinglesSoAlmostHalvesRoundUp) {
    const TextScale large = TextScale::large();
    EXPECT_EQ(large.y(25), 31);
    EXPECT_EQ(large.y(75), 92);   // 91.5000021
    EXPECT_EQ(large.x(50), 63);   // 63.4999990 with 1.27f: stays below the half
    EXPECT_EQ(large.x(150), 190); // 190.4999971
}

}  // namespace
}  // namespace quarn
