// The key filter of the number fields and the text layout factors.
#include <gtest/gtest.h>

#include <QString>

#include "platform/number_field.h"

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

}  // namespace
}  // namespace quarn
