// Each window read as a user reads it, in both text layouts: with everything on that
// puts controls and texts on it, no control covers another or a drawn text, and all of
// it lies inside the window.
#include <gmock/gmock.h>

#include <QFontMetrics>
#include <QFrame>

#include "canvas/recording_canvas.h"
#include "diagrams/set_rev_arm.h"
#include "dialogs/dimension_dialog.h"
#include "drawing/diagrams/diagrams.h"
#include "drawing/rev_arm_set_labels.h"
#include "drawing/tick.h"
#include "mainwin/window_fixture.h"
#include "model/undo_history.h"
#include "platform/qt_canvas.h"
#include "support/modal.h"

namespace quarn {
namespace {

// The pixels a drawn text covers, in the font the Qt canvas draws it with.
QRect inkOf(const DrawnItem& t) {
    const QFontMetrics metrics(fontFor(t.style));
    const QRect ink = metrics.tightBoundingRect(QString::fromStdString(t.text));
    return ink.isEmpty() ? QRect() : ink.translated(t.x1, t.y1 + metrics.ascent());
}

// A control outside the window or over another, a text outside it or under a control or
// a filled panel: one line each.
std::vector<std::string> unreadable(const QWidget& area, const std::vector<DrawnItem>& drawn) {
    std::vector<std::string> found;
    if (drawn.empty()) found.push_back("nothing drawn");
    std::vector<std::pair<std::string, QRect>> controls, covers;
    for (const QWidget* w : area.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow() || !w->isVisibleTo(&area)) continue;
        const std::string name = w->objectName().toStdString();
        if (!area.rect().contains(w->geometry())) found.push_back(name + " outside the window");
        const auto* frame = qobject_cast<const QFrame*>(w);  // frames take no input
        if (!frame) {
            for (const auto& [other, place] : controls)
                if (w->geometry().intersects(place)) found.push_back(name + " covers " + other);
            controls.emplace_back(name, w->geometry());
        }
        if (!frame || frame->autoFillBackground()) covers.emplace_back(name, w->geometry());
    }
    for (const DrawnItem& t : drawn) {
        const QRect ink = t.kind == DrawnItem::Kind::Text ? inkOf(t) : QRect();
        if (ink.isEmpty()) continue;
        if (!area.rect().contains(ink)) found.push_back('"' + t.text + "\" outside the window");
        for (const auto& [name, place] : covers)
            if (place.intersects(ink)) found.push_back(name + " covers \"" + t.text + '"');
    }
    return found;
}

using Draw = std::function<void(GearModel, QWidget&, Canvas&)>;

struct WindowRow {
    const char* item;                  // the menu item that opens it; none: the main window
    std::vector<const char*> windows;  // what the item opens, closed again in turn
    const char* looked;                // the one read
    Draw draw;                         // its texts, drawn from a copy of the model
    std::vector<std::string> smallLayoutHas;  // made so, and kept pixel for pixel
};

const WindowRow windowRows[] = {
    {nullptr, {}, "main window",
     [](GearModel m, QWidget&, Canvas& c) { Random r(3); runTick(m, c, r); }, {}},
    {"FrameDim", {"TFrameDi"}, "TFrameDi",
     [](GearModel m, QWidget&, Canvas& c) {
         drawDialogLabels(c, m.screen.text, frameDialogLayout().labels);
     },
     {}},
    // The reset button was drawn one pixel into Close; two labels, wider in the stand-in
    // font than in the one they were spaced for, reach under their fields.
    {"CylDim", {"TCylDimen"}, "TCylDimen",
     [](GearModel m, QWidget&, Canvas& c) {
         drawDialogLabels(c, m.screen.text, cylinderDialogLayout().labels);
     },
     {"Close1 covers Reset1", "Edit3 covers \"Cylinder Bore         Diameter\"",
      "Edit5 covers \"Cylinder Steam Port    Width\""}},
    // Fields 16 high and 16 apart, made smaller for the screen: two pairs share a row.
    {"SineDiag", {"TSetRevArm", "TSineDia"}, "TSetRevArm",
     [](GearModel m, QWidget& w, Canvas& c) {
         drawRevArmSetLabels(m, c, static_cast<TSetRevArm&>(w).positionLabels());
     },
     {"Edit2 covers Edit1", "Edit7 covers Edit6"}},
    {"SineDiag", {"TSetRevArm", "TSineDia"}, "TSineDia",
     [](GearModel m, QWidget&, Canvas& c) { DrawSineDiagram(m, c); }, {}},
};

class TextLayoutTest : public test::WindowTest {
public:
    // The pivot data with every row chosen (and so the reference points), four dimensions
    // changed by typing (and so the dynamic variables and an undo line), the cut-off
    // read-out and nine diagram positions; the window as large as it asks to be.
    void switchEverythingOn(bool large) {
        action("SetPivotData")->trigger();
        for (int k = 1; k <= 6; ++k) {
            model.screen.PivotDataRowSet[k] = 1;
            model.screen.PivotDataRowPivot[k] = float(k + 1);
        }
        for (const char* field : {"MainRodLength", "Stroke", "EccRodLength", "ValveRodLength"}) {
            model.dyn.TypedFlag = 1;
            const DimensionDescriptor& d = *findDimensionByField(field);
            takeFieldValue(model, d, dimensionValue(model, d) + 0.01f);
        }
        action("DynamicVariables")->trigger();
        action("SetUnDo")->trigger();
        model.screen.FrontCutOffFrames = model.screen.RearCutOffFrames = 40;
        model.screen.FrontCutOffText = model.screen.RearCutOffText = "75.5";
        for (std::size_t n = 1; n <= 9; ++n)
            model.RevArmPositions[n] = model.RevArmCentre() + 0.1f * float(int(n) - 5);
        if (large) action("LargeFont")->trigger();
        form->resize(form->sizeHint());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    std::vector<std::string> read(const WindowRow& row) {
        std::vector<std::string> found;
        auto look = [&](QWidget& w) {
            RecordingCanvas canvas;
            row.draw(model, w, canvas);
            QWidget* surface = w.findChild<QWidget*>("Surface");  // a diagram's picture
            found = unreadable(surface ? *surface : w, canvas.items());
        };
        if (!row.item) {
            form->Timer1Timer();  // the frame places the UnDo button
            look(*form->centralWidget());
            return found;
        }
        std::vector<std::shared_ptr<bool>> seen;
        for (const char* name : row.windows) {
            auto closeIt = [&, name](QWidget& w) {
                if (name == std::string(row.looked)) look(w);
                static_cast<QDialog&>(w).reject();
            };
            seen.push_back(test::whenModal(form.get(), QString::fromLatin1(name), closeIt));
        }
        action(row.item)->trigger();
        for (const auto& s : seen) EXPECT_TRUE(*s) << "a window did not open";
        return found;
    }
};

TEST_F(TextLayoutTest, NoControlCoversATextOrAnotherAndAllStaysInside) {
    for (const WindowRow& row : windowRows) {
        for (const bool large : {false, true}) {
            SCOPED_TRACE(std::string(row.looked) + (large ? ", large font" : ", small font"));
            SetUp();  // a window and model as the program starts them
            switchEverythingOn(large);
            const std::vector<std::string> none;
            EXPECT_THAT(read(row), ::testing::UnorderedElementsAreArray(
                                       large ? none : row.smallLayoutHas));
        }
    }
}

TEST_F(TextLayoutTest, SwitchingBackPutsEveryControlWhereItWas) {
    auto places = [&] {
        std::vector<QRect> r;
        for (const QWidget* w : form->centralWidget()->findChildren<QWidget*>())
            r.push_back(w->geometry());
        return r;
    };
    const std::vector<QRect> small = places();
    action("LargeFont")->trigger();
    EXPECT_NE(places(), small);
    action("LargeFont")->trigger();
    EXPECT_EQ(places(), small);
}

}  // namespace
}  // namespace quarn
