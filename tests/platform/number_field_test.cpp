// The key filter of the number fields and the text layout factors.
#include <gtest/gtest.h>

#include <QString>

#include "platform/number_field.h"
#include "platform/text_scale.h"

namespace quarn {
namespace {

struct KeyRow {
    const char* text;
    const char* typed;
    bool allowMinus;
    bool kept;
};

TEST(NumberField, KeepsDigitsAndOnePointAndWhereAllowedOneMinus) {
    const KeyRow rows[] = {
        {"", "7", false, true},     {"1.5", "2", false, true},  {"1", ".", false, true},
        {"1.5", ".", false, false}, {"", "-", false, false},    {"", "-", true, true},
        {"-1", "-", true, false},   {"1", "e", true, false},    {"1", " ", true, false},
        {"1", "+", true, false},    {"", "٣", false, false},  // a digit of another script
    };
    for (const auto& r : rows)
        EXPECT_EQ(NumberKeyFilter::accepts(QString::fromUtf8(r.text), QString::fromUtf8(r.typed),
                                           {r.allowMinus, false}),
                  r.kept)
            << r.text << " + " << r.typed;
}

TEST(TextScale, PositionsMoveByTheFactorsRounded) {
    const TextScale large = TextScale::large();
    EXPECT_EQ(large.x(377), 479);  // 478.79
    EXPECT_EQ(large.y(71), 87);    // 86.62
    EXPECT_EQ(TextScale::small().x(377), 377);
    const TextScale half{1.5, 0.5};
    EXPECT_EQ(half.x(5), 8);  // 7.5 goes to the even neighbour
    EXPECT_EQ(half.y(5), 2);  // 2.5 likewise
}

}  // namespace
}  // namespace quarn
