// The number fields that show a stored real rounded: clicked into and left without
// typing they keep the value to the last bit, through the button that applies them;
// typed into they take the typed number.
#include <QLineEdit>
#include <functional>

#include "diagrams/set_rev_arm.h"
#include "mainwin/window_fixture.h"
#include "model/overlay.h"
#include "support/modal.h"
#include "tools/draw_lines.h"

namespace quarn {
namespace {

using test::WindowTest;

struct PassingRow {
    const char* name;
    void (*open)(WindowTest&);  // what the user presses to get the dialog
    const char* dialog;
    const char* field;
    const char* apply;  // the button that closes the dialog with its values
    float& (*value)(GearModel&);
    float stored;  // finer than the field shows it
    float typed;
};

class PassingFields : public WindowTest {
public:
    // Opens the row's dialog, lets `act` work in its field, and presses `apply`.
    void inField(const PassingRow& row, const std::function<void(QLineEdit*)>& act) {
        const auto ran = test::whenModal(form.get(), QString::fromLatin1(row.dialog), [&](QWidget& d) {
            d.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
            act(d.findChild<QLineEdit*>(QString::fromLatin1(row.field)));
            QTest::mouseClick(d.findChild<QPushButton*>(QString::fromLatin1(row.apply)), Qt::LeftButton);
        });
        row.open(*this);
        EXPECT_TRUE(*ran);
    }
};

TEST_F(PassingFields, AnUntouchedFieldKeepsItsValueAndATypedOneIsTaken) {
    const PassingRow rows[] = {
        // Within half a bar step of mid gear (10.2984), so the reverse-arm bar stays at 0.
        {"ReverseArm", [](WindowTest& t) { t.action("RevArmPos")->trigger(); }, "TRevPos", "Edit1",
         "OK", [](GearModel& m) -> float& { return m.RevArmPosition; }, 10.2987f, 10.8f},
        {"ReferencePoint", [](WindowTest& t) { t.action("RefPoints1")->trigger(); }, "TRefPnts",
         "Edit1", "OK", [](GearModel& m) -> float& { return m.PivotVert[19]; }, 1.234375f, 2.5f},
        {"GraphicZoom", [](WindowTest& t) { t.action("SetGraphicZoom")->trigger(); }, "TGraphZoom",
         "Edit1", "OK", [](GearModel& m) -> float& { return m.view.GraphicZoom; }, 16.5625f, 20},
        {"Overlay",
         [](WindowTest& t) {
             t.model.overlay.ItemType[1] = 0;  // a line, as read from a design file
             overlayFollowLoadedDesign(t.model);
             t.find<TDrawLines>("TDrawLines")->exec();
         },
         "TDrawLines", "Edit1", "CloseBut", [](GearModel& m) -> float& { return m.overlay.Vert1[1]; },
         2.71875f, 3.7f},
        {"Position", [](WindowTest& t) { t.find<TSetRevArm>("TSetRevArm")->exec(); }, "TSetRevArm",
         "Edit2", "Close1", [](GearModel& m) -> float& { return m.RevArmPositions[2]; }, 11.8046875f,
         11.5f},
        {"TravelScale", [](WindowTest& t) { t.find<TSetRevArm>("TSetRevArm")->exec(); }, "TSetRevArm",
         "Edit10", "Close1", [](GearModel& m) -> float& { return m.diagrams.TravelScale; }, 1.5625f, 2},
    };
    for (const PassingRow& row : rows) {
        SCOPED_TRACE(row.name);
        row.value(model) = row.stored;
        inField(row, [](QLineEdit* f) {
            QTest::mouseClick(f, Qt::LeftButton);
            QTest::keyClick(f, Qt::Key_Home);  // moving about edits nothing
            QTest::keyClick(f, Qt::Key_Tab);
            EXPECT_FALSE(f->hasFocus());
        });
        EXPECT_EQ(row.value(model), row.stored);

        inField(row, [&](QLineEdit* f) {
            QTest::mouseClick(f, Qt::LeftButton);
            QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(f, QString::number(row.typed));
            QTest::keyClick(f, Qt::Key_Tab);
        });
        // The reverse arm ends where its bar, counting thousandths from mid gear, puts it.
        EXPECT_NEAR(row.value(model), row.typed, 1e-3);
    }
}

}  // namespace
}  // namespace quarn
