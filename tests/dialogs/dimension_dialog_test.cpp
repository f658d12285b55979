// The frame and cylinder dimension dialogs used as a user uses them: typed keys, fields
// left, the small buttons, the resets and Close, and what each does to the design.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs/dimension_dialog.h"
#include "model/dimensions.h"
#include "model/undo_history.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

struct HostCalls {
    int range = 0, middle = 0, changed = 0;
};

class DialogTest : public ::testing::Test {
public:
    void SetUp() override {
        test::ensureApplication();
        InitStartupState(model);
    }
    DimensionDialogHost host() {
        return {[this] { ++calls.range; }, [this] { ++calls.middle; }, [this] { ++calls.changed; }};
    }
    // Shown as exec shows it, without its own loop, and given the keyboard.
    void open(DimensionDialog& d) {
        d.prepareToOpen();
        d.show();
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    }
    // Clicks into a field, types, and leaves it with Tab.
    void type(DimensionDialog& d, int row, const char* keys, bool selectAll = true) {
        QLineEdit* f = d.field(row);
        f->setFocus();
        if (selectAll) f->selectAll();
        QTest::keyClicks(f, QString::fromLatin1(keys));
    }
    void leave(DimensionDialog& d) { d.Close1->setFocus(Qt::TabFocusReason); }

    GearModel model;
    HostCalls calls;
};

TEST_F(DialogTest, LayoutsAreTheDesignedOnes) {
    TFrameDi frame(model, host(), nullptr);
    EXPECT_EQ(frame.windowTitle(), "Frame Dimentions" + QString(24, QLatin1Char(' ')) + "Quarn Assy Dim");
    EXPECT_EQ(frame.size(), QSize(386, 246));
    EXPECT_EQ(frame.field(1)->geometry(), QRect(146, 0, 40, 13));
    EXPECT_EQ(frame.field(15)->geometry(), QRect(146, 182, 40, 13));
    EXPECT_EQ(frame.field(16)->geometry(), QRect(342, 0, 40, 13));
    EXPECT_EQ(frame.field(30)->geometry(), QRect(342, 182, 40, 13));
    EXPECT_EQ(frame.showButton(16)->geometry(), QRect(194, 0, 8, 13));
    EXPECT_EQ(frame.Close1->geometry(), QRect(288, 220, 89, 25));
    EXPECT_EQ(frame.findChild<QPushButton*>("ResetFrame")->text(), "ResetFD");
    EXPECT_EQ(frame.findChild<QPushButton*>("ResetQuarnAssy")->geometry(), QRect(332, 195, 50, 25));
    // Grey where the dimension can become a dynamic variable: not the reverse-arm limits.
    const QColor greyBase = frame.field(28)->palette().color(QPalette::Base);
    EXPECT_EQ(greyBase, QColor(128, 128, 128));
    EXPECT_NE(frame.field(29)->palette().color(QPalette::Base), greyBase);
    EXPECT_EQ(frame.field(1)->accessibleName(), "Driver Dia");
    EXPECT_EQ(frame.showButton(1)->accessibleName(), "Show Driver Dia");

    TCylDimen cyl(model, host(), nullptr);
    EXPECT_EQ(cyl.windowTitle(), "Cylinder Dimensions");
    EXPECT_EQ(cyl.size(), QSize(386, 230));
    EXPECT_EQ(cyl.field(6)->geometry(), QRect(146, 78, 40, 13));
    EXPECT_EQ(cyl.field(17)->geometry(), QRect(342, 117, 40, 13));
    for (int row = 1; row <= 17; ++row) {
        const bool twoLines = row == 6 || row == 14 || row == 15 || row == 17;
        EXPECT_EQ(cyl.showButton(row)->height(), twoLines ? 26 : 13) << row;
        EXPECT_EQ(cyl.field(row)->palette().color(QPalette::Base), greyBase) << row;
    }
    EXPECT_EQ(cyl.showButton(14)->geometry(), QRect(194, 39, 8, 26));
    EXPECT_EQ(cyl.field(17)->accessibleName(), "Valve ctr to Joint (Stem)");
    EXPECT_EQ(cyl.Close1->geometry(), QRect(288, 192, 89, 25));
}

TEST_F(DialogTest, OpensFilledWithTheFocusOnClose) {
    TFrameDi d(model, host(), nullptr);
    open(d);
    EXPECT_EQ(d.field(1)->text(), "9.000");
    EXPECT_EQ(d.field(3)->text(), "16.500");
    EXPECT_EQ(d.field(4)->text(), "0.000");
    EXPECT_TRUE(d.Close1->hasFocus());
}

TEST_F(DialogTest, KeyFilterKeepsOnePointOneMinusAndDigits) {
    TFrameDi d(model, host(), nullptr);
    open(d);
    type(d, 1, "2..5");
    EXPECT_EQ(d.field(1)->text(), "2.5");
    type(d, 2, "-1a-x2");
    EXPECT_EQ(d.field(2)->text(), "-12");
    EXPECT_EQ(model.dyn.TypedFlag, 1);
    leave(d);
    EXPECT_EQ(model.dyn.TypedFlag, 0);
    // The reverse-arm limits take keys but mark nothing for undo.
    type(d, 29, "1");
    EXPECT_EQ(model.dyn.TypedFlag, 0);
}

TEST_F(DialogTest, LeavingAFieldTakesItsValueAndTypingRecordsUndo) {
    TFrameDi d(model, host(), nullptr);
    open(d);
    // In and out without typing: the dimension is the new dynamic variable, no undo.
    d.field(3)->setFocus();
    leave(d);
    EXPECT_EQ(model.dyn.DynVarSlots[1].DynVarCode, 3);
    EXPECT_EQ(model.dyn.UndoHistory[1].DynVarCode, 0);

    // Enter counts as typing even with the value unchanged, and moves to Close.
    QTest::keyClick(d.field(1), Qt::Key_Return);
    d.field(1)->setFocus();
    QTest::keyClick(d.field(1), Qt::Key_Return);
    EXPECT_TRUE(d.Close1->hasFocus());
    EXPECT_EQ(model.dyn.UndoHistory[1].DynVarCode, 1);
    EXPECT_EQ(model.dyn.UndoHistory[1].OldValue, 9.0f);
    EXPECT_EQ(model.dyn.UndoHistory[1].NewValue, 9.0f);

    // A malformed text reads as its leading number; the field then shows it.
    type(d, 3, "1-2");
    leave(d);
    EXPECT_EQ(model.frame.MainRodLength, 1.0f);
    EXPECT_EQ(d.field(3)->text(), "1.000");
    EXPECT_EQ(model.dyn.UndoHistory[1].OldValue, 16.5f);
    EXPECT_GT(calls.changed, 0);
}

struct PassRow {
    const char* name;
    bool cylinder;
    int row;
    const char* dimension;
    float stored;  // sixteenths and finer, as drawings give them: more than three decimals
};

TEST_F(DialogTest, PassingThroughAFieldKeepsItsValueAndTypingTakesIt) {
    const PassRow rows[] = {
        {"UnionLink", false, 6, "UnionLinkLength", 3.65625f},
        {"ComboLeverForSet", false, 8, "ComboLeverForSet", 0.0625f},
        {"ValveRing", true, 14, "ValveCtrToRing", 1.578125f},
    };
    for (const PassRow& r : rows) {
        SCOPED_TRACE(r.name);
        model = GearModel{};
        InitStartupState(model);
        const DimensionDescriptor& d = *findDimensionByField(r.dimension);
        setDimensionValue(model, d, r.stored);
        TFrameDi frame(model, host(), nullptr);
        TCylDimen cyl(model, host(), nullptr);
        DimensionDialog& dialog = r.cylinder ? static_cast<DimensionDialog&>(cyl) : frame;
        open(dialog);
        QLineEdit* f = dialog.field(r.row);
        QTest::mouseClick(f, Qt::LeftButton);
        QTest::keyClick(f, Qt::Key_Home);  // moving about types nothing
        QTest::keyClick(f, Qt::Key_Tab);
        ASSERT_FALSE(f->hasFocus());
        EXPECT_EQ(dimensionValue(model, d), r.stored);
        EXPECT_EQ(model.dyn.DynVarSlots[1].DynVarCode, d.dynVarCode);
        EXPECT_EQ(model.dyn.UndoCount, 0);

        type(dialog, r.row, "3.7");
        leave(dialog);
        EXPECT_EQ(dimensionValue(model, d), 3.7f);
        EXPECT_EQ(model.dyn.UndoCount, 1);
        EXPECT_EQ(model.dyn.UndoHistory[1].OldValue, r.stored);
        EXPECT_EQ(model.dyn.UndoHistory[1].NewValue, 3.7f);
    }
}

TEST_F(DialogTest, ReverseArmLimitsPullEachOtherAndSpanTheBar) {
    TFrameDi d(model, host(), nullptr);
    open(d);
    type(d, 29, "2");
    leave(d);
    EXPECT_EQ(model.frame.RevArmToCentNormal, 1.7f);
    EXPECT_EQ(d.field(29)->text(), "1.700");
    EXPECT_EQ(calls.range, 0);

    type(d, 29, "1.5");
    leave(d);
    type(d, 30, "1.2");
    leave(d);
    EXPECT_EQ(model.frame.RevArmToCentMax, 1.5f);
    EXPECT_EQ(d.field(30)->text(), "1.500");
    EXPECT_EQ(calls.range, 1);
}

TEST_F(DialogTest, CylinderHeightMovesTheValveStemJoint) {
    TCylDimen d(model, host(), nullptr);
    open(d);
    type(d, 2, "0.5");
    leave(d);
    EXPECT_FLOAT_EQ(model.PivotVert[4], 3.875f);
    EXPECT_EQ(model.dyn.DynVarSlots[1].DynVarCode, 102);
    // Undo takes back the height and the joint with it.
    ASSERT_TRUE(undoButtonClick(model));
    EXPECT_EQ(model.PivotVert[3], 0.25f);
    EXPECT_FLOAT_EQ(model.PivotVert[4], 3.625f);
    // The valve's offset moves the joint as well.
    type(d, 8, "3.5");
    leave(d);
    EXPECT_FLOAT_EQ(model.PivotVert[4], 3.75f);
}

TEST_F(DialogTest, ResetPressAndReleaseEndsWithNominalValuesAndNoHistory) {
    TFrameDi d(model, host(), nullptr);
    open(d);
    type(d, 1, "12");
    leave(d);
    ASSERT_EQ(model.dyn.UndoHistory[1].DynVarCode, 1);
    QTest::mouseClick(d.findChild<QPushButton*>("ResetFrame"), Qt::LeftButton);
    EXPECT_EQ(model.frame.DriverDia, 9.0f);
    EXPECT_EQ(d.field(1)->text(), "9.000");
    EXPECT_EQ(model.dyn.UndoHistory[1].DynVarCode, 0);
    EXPECT_FALSE(model.dyn.UndoEnabled);
    for (int s = 1; s <= DynVarSlotCount; ++s) EXPECT_EQ(model.dyn.DynVarSlots[s].DynVarCode, 0);
    EXPECT_EQ(calls.range, 2);  // the press and the click

    TCylDimen cyl(model, host(), nullptr);
    open(cyl);
    type(cyl, 17, "7");
    leave(cyl);
    QTest::mouseClick(cyl.findChild<QPushButton*>("Reset1"), Qt::LeftButton);
    EXPECT_EQ(model.cyl.ValveCtrToJoint, 6.39f);
    EXPECT_EQ(calls.range, 2) << "the cylinder reset leaves the reverse-arm bar alone";
}

TEST_F(DialogTest, SmallButtonsShowTheirDimension) {
    TFrameDi d(model, host(), nullptr);
    open(d);
    QTest::mouseClick(d.showButton(12), Qt::LeftButton);
    EXPECT_EQ(model.dimGraphic.ShowDimension, 12);
    model.dimGraphic.ShowDimension = 0;
    TCylDimen cyl(model, host(), nullptr);
    open(cyl);
    QTest::mouseClick(cyl.showButton(17), Qt::LeftButton);
    EXPECT_EQ(model.dimGraphic.ShowDimension, 117);
}

TEST_F(DialogTest, CloseReturnsToMidGearButTheGraphicOnlyHidesTheDialog) {
    TFrameDi d(model, host(), nullptr);
    open(d);
    type(d, 16, "1.6");
    QTest::mouseClick(d.Close1, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(model.frame.RevArmUpperLength, 1.6f);
    EXPECT_EQ(model.RevArmPosition, model.RevArmCentre());
    EXPECT_EQ(calls.middle, 1);

    open(d);
    model.RevArmPosition += 0.5f;
    d.closeForGraphic();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(calls.middle, 1);
    EXPECT_NE(model.RevArmPosition, model.RevArmCentre());
}

}  // namespace
}  // namespace quarn
