// A changed design is never lost without a question: the window knows whether the design
// differs from its file, Save writes to that file, every way of replacing or closing the
// design asks first, and Cancel leaves everything as it was. The recent designs.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>

#include "dims/dimension_file.h"
#include "mainwin/window_fixture.h"
#include "model/dimensions.h"
#include "model/undo_history.h"
#include "support/modal.h"

namespace quarn {
namespace {

class UnsavedDesign : public test::WindowTest {
public:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        QSettings().remove(QStringLiteral("RecentDesigns"));
    }
    std::string path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }
    // A design file of this nominal gear with its own stroke.
    std::string designFile(const char* name, float stroke) {
        GearModel m = model;
        m.frame.Stroke = stroke;
        EXPECT_TRUE(saveDimensionFile(m, path(name)).ok);
        return path(name);
    }
    bool modified() const { return form->designModified(); }
    // Arms the answer to the question that a changed design is about to be lost.
    std::shared_ptr<bool> answerQuestion(QMessageBox::StandardButton answer) {
        return test::whenModal(form.get(), QStringLiteral("SaveChanges"), [answer](QWidget& box) {
            auto& ask = static_cast<QMessageBox&>(box);
            EXPECT_TRUE(ask.text().startsWith(QStringLiteral("Save changes to "))) << ask.text().toStdString();
            ask.button(answer)->click();
        });
    }
    QTemporaryDir dir;
};

TEST_F(UnsavedDesign, ModifiedFollowsTheDesignNotTheGearOrTheView) {
    struct Step {
        const char* name;
        std::function<void(UnsavedDesign&)> act;
        bool modified;
    };
    const Step steps[] = {
        {"the nominal gear at start", [](UnsavedDesign&) {}, false},
        {"turning, the reverse arm, a pan",
         [](UnsavedDesign& t) {
             t.model.DriverAngle = 123;
             t.bar("SBRevArm")->setValue(700);
             t.model.view.ViewOffsetX += 40;
         },
         false},
        {"a dimension typed", [](UnsavedDesign& t) {
             t.model.dyn.TypedFlag = 1;
             takeFieldValue(t.model, *findDimensionByField("Stroke"), 4.5f);
         }, true},
        {"saved", [](UnsavedDesign& t) { EXPECT_TRUE(t.form->saveDesign(t.path("a.qgd"))); }, false},
        {"an overlay item", [](UnsavedDesign& t) { t.model.overlay.ItemType[3] = 1; }, true},
        {"taken back", [](UnsavedDesign& t) { t.model.overlay.ItemType[3] = -1; }, false},
        {"a diagram position", [](UnsavedDesign& t) { t.model.RevArmPositions[5] = 9.5f; }, true},
        {"another design opened", [](UnsavedDesign& t) {
             EXPECT_TRUE(t.form->openDesign(t.designFile("b.qgd", 4.0f)));
         }, false},
        {"a typed change undone", [](UnsavedDesign& t) {
             t.model.dyn.TypedFlag = 1;
             takeFieldValue(t.model, *findDimensionByField("MainRodLength"), 17.0f);
             EXPECT_TRUE(t.modified());
             undoButtonClick(t.model);
         }, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(*this);
        EXPECT_EQ(modified(), step.modified);
    }
}

TEST_F(UnsavedDesign, CancelAtEveryQuestionChangesNothing) {
    const std::string other = designFile("other.qgd", 4.0f);
    RecentDesigns().add(QString::fromStdString(other));
    struct Way {
        const char* name;
        std::function<void(UnsavedDesign&)> ask;
    };
    const Way ways[] = {
        {"Exit", [](UnsavedDesign& t) { t.action("Exit1")->trigger(); }},
        {"the close button", [](UnsavedDesign& t) { EXPECT_FALSE(t.form->close()); }},
        {"Open", [](UnsavedDesign& t) { t.action("OpenDimensions")->trigger(); }},
        {"the DOS import", [](UnsavedDesign& t) { t.action("OpenDosVersionDim")->trigger(); }},
        {"ResetAllDimensions", [](UnsavedDesign& t) { t.action("ResetAll")->trigger(); }},
        {"a recent design", [](UnsavedDesign& t) {
             t.form->findChild<QMenu*>("RecentDesigns")->aboutToShow();
             t.action("Recent1")->trigger();
         }},
    };
    showActive();
    model.frame.Stroke = 4.5f;
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        const auto asked = answerQuestion(QMessageBox::Cancel);
        way.ask(*this);
        EXPECT_TRUE(*asked);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // no file dialog after Cancel
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(model.frame.Stroke, 4.5f);
        EXPECT_EQ(model.DimSetName, "Nominal");
        EXPECT_TRUE(modified());
    }
}

TEST_F(UnsavedDesign, SaveWritesTheOwnFileAndTheQuestionsSaveGoesOnAfterIt) {
    const std::string own = designFile("own.qgd", 4.25f);
    ASSERT_TRUE(form->openDesign(own));
    showActive();
    model.frame.Stroke = 4.5f;
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    GearModel read;
    ASSERT_TRUE(openDimensionFile(read, own).ok);
    EXPECT_EQ(read.frame.Stroke, 4.5f);
    EXPECT_FALSE(modified());
    // Changed again, then reset: Save at the question writes the file, then the reset goes on.
    EXPECT_FALSE(form->isWindowModified());  // a save clears the caption's mark at once
    model.frame.Stroke = 4.75f;
    // The mark comes with the caption's clock, within a second.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        form->Timer1Timer();
        return form->isWindowModified();
    }, 2500));
    const auto asked = answerQuestion(QMessageBox::Save);
    action("ResetAll")->trigger();
    EXPECT_TRUE(*asked);
    ASSERT_TRUE(openDimensionFile(read, own).ok);
    EXPECT_EQ(read.frame.Stroke, 4.75f);
    EXPECT_EQ(model.frame.Stroke, 4.25f);
    EXPECT_FALSE(modified());
}

TEST_F(UnsavedDesign, RecentDesignsKeepTheLastEightAndDropAMissingOne) {
    for (int i = 1; i <= 9; ++i) {
        const std::string name = "d" + std::to_string(i) + ".qgd";
        ASSERT_TRUE(form->openDesign(designFile(name.c_str(), 4.0f + 0.01f * float(i))));
    }
    const QStringList recent = RecentDesigns().list();
    ASSERT_EQ(recent.size(), 8);
    EXPECT_TRUE(recent.front().endsWith(QStringLiteral("/d9.qgd")));
    EXPECT_TRUE(recent.back().endsWith(QStringLiteral("/d2.qgd")));
    auto* menu = form->findChild<QMenu*>("RecentDesigns");
    menu->aboutToShow();
    EXPECT_EQ(menu->actions().size(), 8);
    // The second newest is opened from the menu; the newest, gone, is named and dropped.
    action("Recent2")->trigger();
    EXPECT_FLOAT_EQ(model.frame.Stroke, 4.08f);
    QFile::remove(QString::fromStdString(path("d9.qgd")));
    menu->aboutToShow();
    const auto named = test::whenModal(form.get(), QString(), [](QWidget& box) {
        EXPECT_TRUE(static_cast<QMessageBox&>(box).text().contains(QStringLiteral("d9.qgd")));
        static_cast<QMessageBox&>(box).accept();
    });
    action("Recent2")->trigger();  // d8 opened last: d9 is second now
    EXPECT_TRUE(*named);
    EXPECT_EQ(RecentDesigns().list().size(), 7);
    EXPECT_FALSE(RecentDesigns().list().join(' ').contains(QStringLiteral("d9.qgd")));
}

}  // namespace
}  // namespace quarn
