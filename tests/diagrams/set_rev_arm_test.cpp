// The reverse-arm position dialog, typed into as the user types: the stored positions
// and scale, the key filter, the field that appears for one more position, and the
// list made a leading run when the dialog closes.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "diagrams/set_rev_arm.h"
#include "model/gear_model.h"
#include "support/modal.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

// The nominal set: mid gear 10.2984 (10.298 as the dialog shows it), normal travel 1.5,
// the most 1.7 either way; the bounds are checked to the shown thousandths.
constexpr float NominalLowest = 8.598f;
constexpr double Shown = 5e-4;

class SetRevArmTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        InitStartupState(model);
        dialog = std::make_unique<TSetRevArm>(model, nullptr);
    }

    // Opens the dialog, lets `type` work in it, then presses Close.
    void openAndType(const std::function<void()>& type) {
        auto ran = test::whenModal(dialog.get(), QStringLiteral("TSetRevArm"), [&](QWidget&) {
            takeKeyboard();
            type();
            QTest::mouseClick(dialog->Close1, Qt::LeftButton);
        });
        dialog->exec();
        ASSERT_TRUE(*ran);
    }

    // The dialog has the keyboard, as on a desktop: leaving a field is a focus change.
    void takeKeyboard() {
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    // Replaces the text of field n by typing `keys` into it, then leaves it with Tab's
    // focus change.
    void typeInto(int n, const char* keys) {
        QLineEdit* e = dialog->edit(n);
        e->setFocus(Qt::TabFocusReason);
        e->selectAll();
        QTest::keyClicks(e, QString::fromLatin1(keys));
    }

    GearModel model;
    std::unique_ptr<TSetRevArm> dialog;
};

TEST_F(SetRevArmTest, OpensWithTheThreeDefaultPositionsAndOneFieldToAddAFourth) {
    openAndType([&] {
        EXPECT_EQ(dialog->edit(1)->text(), QStringLiteral("10.298"));
        EXPECT_EQ(dialog->edit(2)->text(), QStringLiteral("11.798"));
        EXPECT_EQ(dialog->edit(3)->text(), QStringLiteral("8.798"));
        EXPECT_EQ(dialog->edit(10)->text(), QStringLiteral("1.500"));
        EXPECT_TRUE(dialog->edit(4)->isVisible());
        EXPECT_FALSE(dialog->edit(5)->isVisible());
        EXPECT_TRUE(dialog->Close1->hasFocus());
    });
    EXPECT_EQ(model.diagrams.RevArmPositionCount, 3);
    EXPECT_EQ(model.diagrams.RevArmSetClosed, 1);
}

TEST_F(SetRevArmTest, ZeroInPositionOneStoresTheLowerBound) {
    openAndType([&] { typeInto(1, "0"); });
    // 0 becomes 0.001, which lies below mid gear less the most travel.
    EXPECT_NEAR(model.RevArmPositions[1], NominalLowest, Shown);
}

TEST_F(SetRevArmTest, ZeroInPositionFourOfFiveLeavesThree) {
    model.RevArmPositions[4] = 10.5f;
    model.RevArmPositions[5] = 10.7f;
    openAndType([&] {
        EXPECT_TRUE(dialog->edit(6)->isVisible());
        typeInto(4, "0");
    });
    EXPECT_EQ(model.diagrams.RevArmPositionCount, 3);
    for (int n = 4; n <= 9; ++n) EXPECT_EQ(model.RevArmPositions[std::size_t(n)], 0.0f) << n;
    EXPECT_TRUE(dialog->edit(4)->isVisibleTo(dialog.get()));
    for (int n = 5; n <= 9; ++n) EXPECT_FALSE(dialog->edit(n)->isVisibleTo(dialog.get())) << n;
    EXPECT_FALSE(dialog->positionLabels()[5]);
}

struct TypedCase {
    const char* name;
    int field;
    const char* keys;
    const char* shown;  // the field's text while typing
    float stored;
};

class SetRevArmTyping : public SetRevArmTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(SetRevArmTyping, FiltersKeysAndStoresWhatTheTextReads) {
    const TypedCase& c = GetParam();
    openAndType([&] {
        typeInto(c.field, c.keys);
        EXPECT_EQ(dialog->edit(c.field)->text(), QString::fromLatin1(c.shown));
    });
    const float stored = c.field == 10 ? model.diagrams.TravelScale
                                       : model.RevArmPositions[std::size_t(c.field)];
    EXPECT_NEAR(stored, c.stored, Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SetRevArmTyping,
    ::testing::Values(
        TypedCase{"SecondPointIgnored", 2, "10.2.5", "10.25", 10.25f},
        TypedCase{"LettersIgnored", 2, "1a0x.b7", "10.7", 10.7f},
        TypedCase{"SecondMinusIgnored", 2, "-1-", "-1", NominalLowest},
        // The filter lets a minus through after a digit; the text reads as its
        // leading number.
        TypedCase{"MinusAfterDigitsReadsTheLeadingNumber", 3, "9.5-", "9.5-", 9.5f},
        TypedCase{"AboveTheMostTravelClamped", 2, "99", "99", 11.998f},
        TypedCase{"LonePointReadsZeroAndEmptiesTheEntry", 3, ".", ".", 0.0f},
        TypedCase{"ScaleBelowTheSmallestRaised", 10, "0.05", "0.05", 0.1f},
        TypedCase{"ScaleTaken", 10, "4", "4", 4.0f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetRevArmTest, AnyKeyInAPositionFieldOffersTheNextPosition) {
    model.RevArmPositions[3] = 0;  // two positions: field 3 for a third, no field 4
    openAndType([&] {
        ASSERT_FALSE(dialog->edit(4)->isVisible());
        dialog->edit(3)->setFocus();
        QTest::keyClick(dialog->edit(3), Qt::Key_Q);  // refused, but offers field 4
        EXPECT_EQ(dialog->edit(3)->text(), QStringLiteral("0.000"));
        EXPECT_TRUE(dialog->edit(4)->isVisible());
        EXPECT_TRUE(dialog->positionLabels()[4]);
        typeInto(3, "9");
    });
    EXPECT_EQ(model.diagrams.RevArmPositionCount, 3);
    EXPECT_FLOAT_EQ(model.RevArmPositions[3], 9.0f);
}

TEST_F(SetRevArmTest, EscapeStillTakesTheFieldBeingTyped) {
    auto ran = test::whenModal(dialog.get(), QStringLiteral("TSetRevArm"), [&](QWidget&) {
        takeKeyboard();
        typeInto(2, "11");
        QTest::keyClick(dialog->edit(2), Qt::Key_Escape);
    });
    dialog->exec();
    ASSERT_TRUE(*ran);
    EXPECT_FLOAT_EQ(model.RevArmPositions[2], 11.0f);
    EXPECT_EQ(model.diagrams.RevArmSetClosed, 1);
}

TEST_F(SetRevArmTest, FieldsAreNamedAfterTheirDrawnLabels) {
    EXPECT_EQ(dialog->edit(1)->accessibleName(), QStringLiteral("Rev Arm Position  1"));
    EXPECT_EQ(dialog->edit(9)->accessibleName(), QStringLiteral("Rev Arm Position  9"));
    EXPECT_EQ(dialog->edit(10)->accessibleName(), QStringLiteral("Vertical Scale"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Set Reverse Arm Positions"));
}

}  // namespace
}  // namespace quarn
