// The main window's controls and actions pressed through the real widgets, its
// keyboard use, the caption, the tick and opening a design.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QMenuBar>
#include <QSettings>
#include <QMessageBox>
#include <QToolBar>
#include <cmath>
#include <cstdio>
#include <limits>
#include <set>
#include <vector>

#include "dims/dimension_file.h"
#include "mainwin/frame_view.h"
#include "mainwin/window_fixture.h"
#include "support/modal.h"
#include "model/motion.h"
#include "model/dimension_graphic.h"
#include "model/pointer.h"
#include "tools/data_table.h"
#include "tools/draw_lines.h"
#include <QPlainTextEdit>

namespace quarn {
namespace {

using test::field;
using test::WindowTest;

// One control or action: how a user presses it, and what that must change. Each row
// starts from the start-up window; a row whose connect is missing fails its check.
struct ControlRow {
    const char* name;
    std::function<void(WindowTest&)> press;
    std::function<void(WindowTest&)> check;
    friend void PrintTo(const ControlRow& r, std::ostream* os) { *os << r.name; }
};

class ControlTest : public WindowTest, public ::testing::WithParamInterface<ControlRow> {};

TEST_P(ControlTest, PressingItActs) {
    GetParam().press(*this);
    GetParam().check(*this);
}

// Pressing an action that opens a dialog: type `typed` and press OK.
auto dialogAction(const char* name, const char* typed) {
    return [name, typed](WindowTest& t) {
        auto& c = t;
        const auto answered =
            c.answerNextDialog([typed](QDialog& d) { field(d)->setText(typed); }, true);
        c.action(name)->trigger();
        EXPECT_TRUE(*answered) << name << " opened no dialog";
    };
}
// Pressing a Help item: it opens its window, which is then closed unchanged.
auto helpItem(const char* item, const char* window, const char* caption) {
    return [=](WindowTest& t) {
        auto seen = std::make_shared<QString>();
        const auto answered = t.answerNextDialog(
            [seen](QDialog& d) { *seen = d.objectName() + " " + d.windowTitle(); }, false);
        t.action(item)->trigger();
        EXPECT_TRUE(*answered) << item << " opened no window";
        EXPECT_EQ(*seen, QString::fromLatin1(window) + " " + QString::fromLatin1(caption));
    };
}
auto plainAction(const char* name) {
    return [name](WindowTest& t) { t.action(name)->trigger(); };
}
auto pressButton(const char* name) {
    return [name](WindowTest& t) { t.click(name); };
}
auto moveBar(const char* name, QAbstractSlider::SliderAction a) {
    return [name, a](WindowTest& t) { t.bar(name)->triggerAction(a); };
}

void checkSteamOn(WindowTest& t) {
    EXPECT_EQ(t.model.SteamDisplayOn, 1);
    EXPECT_EQ(t.action("SetSteam")->text(), "SetS&teamDisp Off");
}
void checkDynVarsShown(WindowTest& t) {
    EXPECT_EQ(t.model.dyn.DynVarsShown, 1);
    EXPECT_TRUE(t.bar("SBDynVar1")->isVisibleTo(t.form.get()));
}
void checkUndoShown(WindowTest& t) {
    EXPECT_EQ(t.model.dyn.UndoShown, 1);
    t.form->Timer1Timer();  // the frame places the button
    EXPECT_TRUE(t.button("UnDoDn")->isVisibleTo(t.form.get()));
}
void checkRefPointsOn(WindowTest& t) {
    EXPECT_EQ(t.model.screen.RefPointsOn, 1);
    EXPECT_TRUE(t.bar("SBRef1Vert")->isVisibleTo(t.form.get()));
}
// The lines-and-circles command needs the reference points on; its dialog keeps
// reference point 1 as it opens and is closed again by the answer.
auto openDrawLines(const char* name) {
    return [name](WindowTest& t) {
        t.action("RefPoints")->trigger();
        t.model.PivotHorz[19] = 3.5f;
        const auto answered = t.answerNextDialog([](QDialog&) {}, false);
        t.action(name)->trigger();
        EXPECT_TRUE(*answered) << name << " opened no dialog";
    };
}
void checkDrawLinesShown(WindowTest& t) {
    EXPECT_EQ(t.model.overlay.Horz1[0], 3.5f);
    EXPECT_FALSE(t.find<TDrawLines>("TDrawLines")->isVisible());
}
void checkPivotDataOn(WindowTest& t) {
    EXPECT_EQ(t.model.screen.PivotDataOn, 1);
    checkRefPointsOn(t);
    EXPECT_TRUE(t.button("DataTableBut")->isVisibleTo(t.form.get()));
}

void checkStopped(WindowTest& t) {
    EXPECT_EQ(t.model.Running, 0);
    EXPECT_EQ(t.model.StepAngle, 0.0f);
    EXPECT_EQ(t.caption("Run"), "Run");
}
void checkArmAtTypedPosition(WindowTest& t) {
    // 11 is 0.702 off mid gear; the bar's handler then puts the arm on the bar's step.
    EXPECT_EQ(t.bar("SBRevArm")->value(), 702);
    EXPECT_FLOAT_EQ(t.model.RevArmPosition, t.model.RevArmCentre() + 0.702f);
}
void checkDriverAtNinety(WindowTest& t) {
    checkStopped(t);
    EXPECT_EQ(t.model.DriverAngle, 90.0f);
    EXPECT_EQ(t.bar("SBDrvAng")->value(), 9000);
}
void checkStepOfTwo(WindowTest& t) {
    EXPECT_EQ(t.model.StepAngleSetting, 2.0f);
    EXPECT_EQ(t.model.StepAngle, 2.0f);
    EXPECT_EQ(t.bar("SBStepAng")->value(), 9204);  // 4000 x log10(200)
}
void checkArmBackAtMidGear(WindowTest& t) {
    EXPECT_EQ(t.bar("SBRevArm")->value(), 0);
    EXPECT_EQ(t.model.RevArmPosition, t.model.RevArmCentre());
    EXPECT_FALSE(t.enabled("Center"));
}
// The arm off mid gear first, so that going back to it is a change.
auto offMidGearThen(std::function<void(WindowTest&)> press) {
    return [press](WindowTest& t) {
        t.bar("SBRevArm")->setValue(500);
        press(t);
    };
}


// A file dialog answered with `path`, as a user picks or types a name and presses Save
// or Open.
auto fileAction(const char* name, std::function<std::string()> path) {
    return [name, path](WindowTest& t) {
        const QString chosen = QString::fromStdString(path());
        const auto answered = t.answerNextDialog(
            [chosen](QDialog& d) { static_cast<QFileDialog&>(d).selectFile(chosen); }, true);
        t.action(name)->trigger();
        EXPECT_TRUE(*answered) << name << " opened no dialog";
    };
}
// A file of this test process in the temporary folder.
std::string scratchPath(const char* name) {
    return QDir::temp()
        .filePath(QStringLiteral("quarngear-%1-%2")
                      .arg(QCoreApplication::applicationPid())
                      .arg(QLatin1String(name)))
        .toStdString();
}
// The same, gone (with the ending a save dialog adds) before it is used.
std::string scratchFile(const char* name) {
    const std::string path = scratchPath(name);
    std::remove(path.c_str());
    std::remove((path + ".qgd").c_str());
    return path;
}
// A design with a longer main rod saved, and the window's rod put back to nominal, so
// that opening the file is a change.
std::function<std::string()> savedLongRod(WindowTest& t, const char* name) {
    return [&t, name] {
        const std::string path = scratchFile(name) + ".qgd";
        GearModel longRod = t.model;  // saved apart: the window's design stays unchanged
        longRod.frame.MainRodLength = 20;
        EXPECT_TRUE(saveDimensionFile(longRod, path).ok);
        return path;
    };
}
auto openLongRod(const char* name) {
    return [name](WindowTest& t) { fileAction(name, savedLongRod(t, name))(t); };
}
void checkLongRodOpened(WindowTest& t) {
    EXPECT_EQ(t.model.frame.MainRodLength, 20.0f);
}
auto saveLongRod(const char* name) {
    return [name](WindowTest& t) {
        t.model.frame.MainRodLength = 20;
        fileAction(name, [name] { return scratchFile(name); })(t);
    };
}
auto checkSavedLongRod(const char* name) {
    return [name](WindowTest& t) {
        GearModel read;
        InitStartupState(read);
        // The dialog adds the ending the user left off.
        const std::string withEnding = scratchPath(name) + ".qgd";
        EXPECT_TRUE(openDimensionFile(read, withEnding).ok) << withEnding;
        EXPECT_EQ(read.frame.MainRodLength, 20.0f);
        EXPECT_EQ(t.model.frame.MainRodLength, 20.0f);
        std::remove(withEnding.c_str());
    };
}


// A diagram opened from its menu item or tool button while the gear turns: the position
// dialog first where the diagram asks for it, then the diagram, closed by its button.
// While it is open the timer stands.
auto openDiagram(const char* name, const char* window, const char* close, bool asksPositions,
                 std::function<void(WindowTest&)> whileOpen = {}) {
    return [=](WindowTest& t) {
        t.timer()->start(60000);  // running, but no tick comes during the test
        std::shared_ptr<bool> positions;
        if (asksPositions) {
            positions = test::whenModal(t.form.get(), QStringLiteral("TSetRevArm"), [](QWidget& d) {
                QTest::mouseClick(d.findChild<QPushButton*>("Close1"), Qt::LeftButton);
            });
        }
        const auto shown = test::whenModal(t.form.get(), QString::fromLatin1(window), [=, &t](QWidget& w) {
            EXPECT_FALSE(t.timer()->isActive()) << window;
            if (whileOpen) whileOpen(t);
            QTest::mouseClick(w.findChild<QPushButton*>(close), Qt::LeftButton);
        });
        t.action(name)->trigger();
        EXPECT_TRUE(*shown) << name << " opened no " << window;
        if (positions) {
            EXPECT_TRUE(*positions) << name << " asked for no positions";
        }
    };
}
void checkDiagramClosed(WindowTest& t) {
    // The gear stands where it stood and turns again.
    GearModel start;
    InitStartupState(start);
    EXPECT_EQ(t.model.DriverAngle, start.DriverAngle);
    EXPECT_EQ(t.model.RevArmPosition, start.RevArmPosition);
    EXPECT_TRUE(t.timer()->isActive());
    EXPECT_EQ(t.model.diagrams.RevArmPositionCount, 3);
    t.timer()->stop();
}
void checkPortDiagramClosed(WindowTest& t) {
    EXPECT_EQ(t.model.diagrams.PortDiaMode, 'F');
    EXPECT_TRUE(t.timer()->isActive());
    t.timer()->stop();
}
// The port window opens on the forward graph whatever it showed last.
auto openPortDiagram(const char* name) {
    return [name](WindowTest& t) {
        t.model.diagrams.PortDiaMode = 'B';
        openDiagram(name, "TPortDia", "ClosePort", false, [](WindowTest& w) {
            EXPECT_EQ(w.model.diagrams.PortDiaMode, 'F');
        })(t);
    };
}
// The frame saved as a picture through the save dialog.
auto checkPictureSaved(const char* name) {
    return [name](WindowTest&) {
        QFile f(QString::fromStdString(scratchPath(name) + ".png"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        EXPECT_TRUE(f.read(4).startsWith("\x89PNG"));
        f.remove();
    };
}
void printToPdf(WindowTest& t) {
    const QString path = QString::fromStdString(scratchPath("PrintPicture") + ".pdf");
    const auto answered = t.answerNextDialog(
        [path](QDialog& d) {
            // Printed to a PDF file, named in the print dialog's own file field.
            auto* printers = d.findChild<QComboBox*>(QStringLiteral("printers"));
            ASSERT_NE(printers, nullptr);
            printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)"
            auto* file = d.findChild<QLineEdit*>(QStringLiteral("filename"));
            ASSERT_NE(file, nullptr);
            file->setText(path);
        },
        true);
    t.action("PrintPicture")->trigger();
    EXPECT_TRUE(*answered) << "Print opened no dialog";
}
void checkPrinted(WindowTest&) {
    QFile f(QString::fromStdString(scratchPath("PrintPicture") + ".pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(8).startsWith("%PDF"));
    f.remove();
}

// A dimension dialog opened, a field typed into and Close pressed.
auto dimensionDialog(const char* name, const char* fieldName, const char* typed) {
    return [=](WindowTest& t) {
        t.bar("SBRevArm")->setValue(500);
        const auto answered = t.answerNextDialog(
            [=](QDialog& d) {
                d.activateWindow();
                EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
                auto* f = d.findChild<QLineEdit*>(fieldName);
                f->setFocus();
                f->setText(typed);
                QTest::mouseClick(d.findChild<QPushButton*>("Close1"), Qt::LeftButton);
            },
            false);
        t.action(name)->trigger();
        EXPECT_TRUE(*answered) << name << " opened no dialog";
    };
}
// A design window opened from its menu item or tool button: shown, not modal, the gear
// left as it was.
auto designWindow(const char* action, const char* window) {
    return [=](WindowTest& t) {
        const float setting = t.model.RevArmPosition;
        t.action(action)->trigger();
        auto* w = t.form->findChild<QDialog*>(QString::fromLatin1(window));
        ASSERT_NE(w, nullptr) << action;
        EXPECT_TRUE(w->isVisible()) << action;
        EXPECT_FALSE(w->isModal());
        w->close();
        EXPECT_EQ(t.model.RevArmPosition, setting);
    };
}
void nothingMore(WindowTest&) {}

void checkClosedAtMidGear(WindowTest& t) {
    EXPECT_EQ(t.model.RevArmPosition, t.model.RevArmCentre());
    EXPECT_EQ(t.bar("SBRevArm")->value(), 0);
}

const ControlRow controlRows[] = {
    {"Run", pressButton("Run"), checkStopped},
    {"Center", offMidGearThen(pressButton("Center")), checkArmBackAtMidGear},
    {"Fwd", pressButton("Fwd"),
     [](WindowTest& t) {
         EXPECT_EQ(t.bar("SBRevArm")->value(), 1500);
         EXPECT_FLOAT_EQ(t.model.RevArmPosition, t.model.RevArmCentre() + 1.5f);
         EXPECT_FALSE(t.enabled("Fwd"));
     }},
    {"Rev", pressButton("Rev"),
     [](WindowTest& t) {
         EXPECT_EQ(t.bar("SBRevArm")->value(), -1500);
         EXPECT_EQ(t.model.Direction, "Rev");
     }},
    {"Deg00",
     [](WindowTest& t) {
         t.model.DriverAngle = 50;
         t.click("Deg00");
     },
     [](WindowTest& t) {
         checkStopped(t);
         EXPECT_EQ(t.model.DriverAngle, 0.0f);
         EXPECT_FALSE(t.enabled("Deg00"));
     }},
    {"Deg180", pressButton("Deg180"),
     [](WindowTest& t) {
         checkStopped(t);
         EXPECT_EQ(t.model.DriverAngle, 180.0f);
         EXPECT_EQ(t.bar("SBDrvAng")->value(), 18000);
     }},
    {"Step1", pressButton("Step1"),
     [](WindowTest& t) {
         EXPECT_EQ(t.model.StepAngle, 1.0f);
         EXPECT_EQ(t.bar("SBStepAng")->value(), 8000);
     }},
    {"Step10",
     [](WindowTest& t) {
         t.bar("SBStepAng")->setValue(14613);  // step 45, so that 10 can be pressed
         t.click("Step10");
     },
     [](WindowTest& t) {
         EXPECT_EQ(t.model.StepAngle, 10.0f);
         EXPECT_EQ(t.bar("SBStepAng")->value(), 12000);
         EXPECT_FALSE(t.enabled("Step10"));
     }},
    {"Step45", pressButton("Step45"),
     [](WindowTest& t) {
         EXPECT_EQ(t.model.StepAngle, 45.0f);
         EXPECT_EQ(t.bar("SBStepAng")->value(), 14613);
     }},
    {"SBRevArm", moveBar("SBRevArm", QAbstractSlider::SliderSingleStepSub),
     [](WindowTest& t) {
         EXPECT_FLOAT_EQ(t.model.RevArmPosition, t.model.RevArmCentre() - 0.001f);
         EXPECT_EQ(t.model.Direction, "Rev");
         EXPECT_TRUE(t.enabled("Center"));
     }},
    {"SBDrvAng", moveBar("SBDrvAng", QAbstractSlider::SliderPageStepAdd),
     [](WindowTest& t) { EXPECT_EQ(t.model.DriverAngle, 45.0f); }},
    {"SBStepAng", moveBar("SBStepAng", QAbstractSlider::SliderSingleStepSub),
     [](WindowTest& t) {
         EXPECT_EQ(t.bar("SBStepAng")->value(), 11080);
         EXPECT_EQ(t.model.StepAngle, 5.0f);
         EXPECT_EQ(t.bar("SBDrvAng")->singleStep(), 500);
         EXPECT_TRUE(t.enabled("Step10"));
     }},
    {"RevArmPos", dialogAction("RevArmPos", "11"), checkArmAtTypedPosition},
    {"RevArmPosTool", dialogAction("RevArmPosTool", "11"), checkArmAtTypedPosition},
    {"DriverAng", dialogAction("DriverAng", "90"), checkDriverAtNinety},
    {"DriverAngTool", dialogAction("DriverAngTool", "90"), checkDriverAtNinety},
    {"StepAng1", dialogAction("StepAng1", "2"), checkStepOfTwo},
    {"StepAng1Tool", dialogAction("StepAng1Tool", "2"), checkStepOfTwo},
    {"FindRevArmCent", offMidGearThen(plainAction("FindRevArmCent")), checkArmBackAtMidGear},
    {"FindRevArmCentTool", offMidGearThen(plainAction("FindRevArmCentTool")),
     checkArmBackAtMidGear},
    {"SetLineWidth", plainAction("SetLineWidth"),
     [](WindowTest& t) {
         EXPECT_EQ(t.model.screen.LineWidth, 2);
         EXPECT_EQ(t.action("SetLineWidth")->text(), "Set&LineWidth 1");
     }},
    {"LargeFont", plainAction("LargeFont"),
     [](WindowTest& t) {
         EXPECT_TRUE(t.model.screen.text.isLarge());
         EXPECT_EQ(t.action("LargeFont")->text(), "SetSmall&Font");
     }},
    {"ErieTriplex1", plainAction("ErieTriplex1"),
     [](WindowTest& t) {
         EXPECT_EQ(t.model.ErieTriplexForm, 1);
         EXPECT_EQ(t.action("ErieTriplex1")->text(), "SetStandard&Form");
     }},
    {"SetBeepOnError", plainAction("SetBeepOnError"),
     [](WindowTest& t) {
         EXPECT_EQ(t.model.ErrorBeepOn, 0);
         EXPECT_EQ(t.action("SetBeepOnError")->text(), "Set&ErrorBeep On");
     }},
    {"SetSteam", plainAction("SetSteam"), checkSteamOn},
    {"SetSteamTool", plainAction("SetSteamTool"), checkSteamOn},
    {"SetScreenData", plainAction("SetScreenData"),
     [](WindowTest& t) {
         EXPECT_EQ(t.model.screen.ScreenDataOn, 0);
         EXPECT_EQ(t.action("SetScreenData")->text(), "SetScree&nData On");
         EXPECT_FALSE(t.button("Run")->isVisibleTo(t.form.get()));
         EXPECT_FALSE(t.bar("SBRevArm")->isVisibleTo(t.form.get()));
         EXPECT_FALSE(t.action("DriverAng")->isEnabled());
         EXPECT_FALSE(t.form->findChild<QToolBar*>("ToolBar1")->isVisibleTo(t.form.get()));
         for (const char* name : {"Panel1", "Panel10", "Panel12", "Preset3", "SBZoom"})
             EXPECT_FALSE(t.form->findChild<QWidget*>(name)->isVisibleTo(t.form.get())) << name;
     }},
    {"SetScreenDataOffAndOn",
     [](WindowTest& t) {
         t.action("RefPoints")->trigger();
         t.action("DynamicVariables")->trigger();
         t.action("SetScreenData")->trigger();
         t.action("SetScreenData")->trigger();
     },
     [](WindowTest& t) {
         // The controls come back; the features the switch took along stay off.
         EXPECT_EQ(t.action("SetScreenData")->text(), "SetScree&nData Off");
         for (const char* name : {"Run", "SBRevArm", "Panel1", "Panel9", "Preset3", "SBZoom"})
             EXPECT_TRUE(t.form->findChild<QWidget*>(name)->isVisibleTo(t.form.get())) << name;
         EXPECT_EQ(t.model.screen.RefPointsOn, 0);
         EXPECT_EQ(t.model.dyn.DynVarsShown, 0);
         EXPECT_FALSE(t.bar("SBRef1Vert")->isVisibleTo(t.form.get()));
         EXPECT_FALSE(t.bar("SBDynVar1")->isVisibleTo(t.form.get()));
         EXPECT_TRUE(t.action("RefPoints")->isEnabled());
         EXPECT_FALSE(t.action("SetPanZoom")->isEnabled());
         EXPECT_EQ(t.action("SetPanZoom")->text(), "Set&PanZoom On");
     }},
    {"DynamicVariables", plainAction("DynamicVariables"), checkDynVarsShown},
    {"DynamicVariablesTool", plainAction("DynamicVariablesTool"), checkDynVarsShown},
    {"SetUnDo", plainAction("SetUnDo"), checkUndoShown},
    {"SetUnDoTool", plainAction("SetUnDoTool"), checkUndoShown},
    {"RefPoints", plainAction("RefPoints"), checkRefPointsOn},
    {"RefPointsTool", plainAction("RefPointsTool"), checkRefPointsOn},
    {"RefPoints1", dialogAction("RefPoints1", "1.5"),
     [](WindowTest& t) {
         // The dialog opened; its OK takes the typed point 1 and switches the points on.
         EXPECT_EQ(t.model.PivotVert[19], 1.5f);
         checkRefPointsOn(t);
     }},
    {"SetGraphicZoom", dialogAction("SetGraphicZoom", "5000"),
     [](WindowTest& t) { EXPECT_EQ(t.model.view.GraphicZoom, 2000.0f); }},
    {"SetPanZoom",
     [](WindowTest& t) {
         t.action("SetScreenData")->trigger();
         EXPECT_TRUE(t.action("SetPanZoom")->isEnabled());
         t.action("SetPanZoom")->trigger();
     },
     [](WindowTest& t) {
         // The screen data took the bars away; the command brings them back alone.
         EXPECT_EQ(t.action("SetPanZoom")->text(), "SetP&anZoom Off");
         EXPECT_TRUE(t.bar("SBZoom")->isVisibleTo(t.form.get()));
         EXPECT_FALSE(t.button("Run")->isVisibleTo(t.form.get()));
     }},
    {"SetPivotData", plainAction("SetPivotData"), checkPivotDataOn},
    {"SetPivotDataTool", plainAction("SetPivotDataTool"), checkPivotDataOn},
    {"DataTableBut",
     [](WindowTest& t) {
         t.action("SetPivotData")->trigger();
         t.answerNextDialog([](QDialog&) {}, false);
         t.click("DataTableBut");
     },
     [](WindowTest& t) {
         auto* table = t.form->findChild<TDataTable*>("TDataTable");
         ASSERT_NE(table, nullptr);
         // Shown, which rebuilt the table, and closed again by the answer.
         EXPECT_FALSE(table->isVisible());
         EXPECT_TRUE(table->DataMemo->toPlainText().startsWith("Pivot Data"));
     }},
    {"DrawLines1", openDrawLines("DrawLines1"), checkDrawLinesShown},
    {"DrawLines1Tool", openDrawLines("DrawLines1Tool"), checkDrawLinesShown},
    {"OpenDimensions", openLongRod("OpenDimensions"), checkLongRodOpened},
    {"OpenDimensionsTool", openLongRod("OpenDimensionsTool"), checkLongRodOpened},
    {"SaveAsDimensions", saveLongRod("SaveAsDimensions"), checkSavedLongRod("SaveAsDimensions")},
    // The nominal gear has no file yet: Save asks for a name as Save As does.
    {"SaveDimensions", saveLongRod("SaveDimensions"), checkSavedLongRod("SaveDimensions")},
    {"SaveAsDimensionsTool", saveLongRod("SaveAsDimensionsTool"),
     checkSavedLongRod("SaveAsDimensionsTool")},
    {"OpenDosVersionDim",
     fileAction("OpenDosVersionDim", [] { return std::string(QUARN_TEST_DATA "/old.qgk"); }),
     [](WindowTest& t) {
         EXPECT_EQ(t.model.frame.Stroke, 4.5f);
         EXPECT_EQ(t.model.DimSetName, "old");
     }},
    {"ResetAll",
     [](WindowTest& t) {
         t.model.frame.MainRodLength = 20;
         t.bar("SBRevArm")->setValue(500);
         t.action("DynamicVariables")->trigger();
         // The changed rod is given up when the window asks.
         const auto asked = test::whenModal(t.form.get(), "SaveChanges", [](QWidget& box) {
             static_cast<QMessageBox&>(box).button(QMessageBox::Discard)->click();
         });
         t.action("ResetAll")->trigger();
         EXPECT_TRUE(*asked);
     },
     [](WindowTest& t) {
         EXPECT_EQ(t.model.frame.MainRodLength, 16.5f);
         EXPECT_EQ(t.model.DimSetName, "Nominal");
         checkArmBackAtMidGear(t);
         EXPECT_EQ(t.model.dyn.DynVarsShown, 0);
         EXPECT_FALSE(t.bar("SBDynVar1")->isVisibleTo(t.form.get()));
     }},
    {"FrameDim", dimensionDialog("FrameDim", "Edit3", "17"),
     [](WindowTest& t) {
         EXPECT_EQ(t.model.frame.MainRodLength, 17.0f);
         checkClosedAtMidGear(t);
     }},
    {"FrameDimTool", dimensionDialog("FrameDimTool", "Edit3", "17"),
     [](WindowTest& t) { EXPECT_EQ(t.model.frame.MainRodLength, 17.0f); }},
    {"CylDim", dimensionDialog("CylDim", "Edit1", "27"),
     [](WindowTest& t) {
         EXPECT_EQ(t.model.cyl.CylCtrToDriverCtr, 27.0f);
         checkClosedAtMidGear(t);
     }},
    {"CylDimTool", dimensionDialog("CylDimTool", "Edit1", "27"),
     [](WindowTest& t) { EXPECT_EQ(t.model.cyl.CylCtrToDriverCtr, 27.0f); }},
    {"Instructions", helpItem("Instructions", "TInst", "Instructions"), [](WindowTest&) {}},
    {"SpecInstr", helpItem("SpecInstr", "TQuISpInst", "Quarn Special Instructions"),
     [](WindowTest&) {}},
    {"About1", helpItem("About1", "TAboutBox", "About These Programs"), [](WindowTest&) {}},
    {"SineDiag", openDiagram("SineDiag", "TSineDia", "CloseSin", true), checkDiagramClosed},
    {"SineDiagTool", openDiagram("SineDiagTool", "TSineDia", "CloseSin", true), checkDiagramClosed},
    {"OvalDiag", openDiagram("OvalDiag", "TOvalDia", "CloseOval", true), checkDiagramClosed},
    {"OvalDiagTool", openDiagram("OvalDiagTool", "TOvalDia", "CloseOval", true),
     checkDiagramClosed},
    {"SteamDiag", openDiagram("SteamDiag", "TSteamDia", "CloseStm", true), checkDiagramClosed},
    {"SteamDiagTool", openDiagram("SteamDiagTool", "TSteamDia", "CloseStm", true),
     checkDiagramClosed},
    {"FourEvents", openPortDiagram("FourEvents"), checkPortDiagramClosed},
    {"FourEventsTool", openPortDiagram("FourEventsTool"), checkPortDiagramClosed},
    {"SavePicture", fileAction("SavePicture", [] { return scratchPath("SavePicture"); }),
     checkPictureSaved("SavePicture")},
    {"PrintPicture", printToPdf, checkPrinted},
    {"ValveEvents", designWindow("ValveEvents", "ValveEvents"), nothingMore},
    {"ValveEventsTool", designWindow("ValveEventsTool", "ValveEvents"), nothingMore},
    {"Sensitivity", designWindow("Sensitivity", "Sensitivity"), nothingMore},
    {"Equaliser", designWindow("Equaliser", "Equaliser"), nothingMore},
    {"Tolerance", designWindow("Tolerance", "ToleranceStudy"), nothingMore},
    {"FitToWindow",
     [](WindowTest& t) {
         t.showActive();
         QTest::keyClick(t.form.get(), Qt::Key_F, Qt::ControlModifier);
     },
     [](WindowTest& t) {
         // On, and kept for the next start; the next window starts fitted.
         EXPECT_TRUE(t.action("FitToWindow")->isChecked());
         EXPECT_TRUE(static_cast<FrameView*>(t.form->centralWidget())->fitsToWindow());
         EXPECT_TRUE(TMainForm(t.model).findChild<QAction*>("FitToWindow")->isChecked());
         QSettings().remove(QStringLiteral("FitToWindow"));
     }},
    {"Exit1",
     [](WindowTest& t) {
         t.form->show();
         t.action("Exit1")->trigger();
     },
     [](WindowTest& t) { EXPECT_FALSE(t.form->isVisible()); }},
};

INSTANTIATE_TEST_SUITE_P(EveryControl, ControlTest, ::testing::ValuesIn(controlRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, EveryNamedActionHasARowInTheControlTable) {
    std::set<QString> rows;
    for (const ControlRow& r : controlRows) rows.insert(QString::fromLatin1(r.name));
    // The Error item only shows that the gear cannot be solved; it has no command.
    rows.insert(QStringLiteral("Error"));
    for (const QAction* a : form->findChildren<QAction*>()) {
        // The actions of the window's dialogs have tests of their own.
        bool inDialog = false;
        for (const QObject* o = a->parent(); o; o = o->parent())
            inDialog = inDialog || qobject_cast<const QDialog*>(o) != nullptr;
        // The recent designs are entries of a list, not commands; they have their own test.
        if (!a->objectName().isEmpty() && !inDialog && !a->objectName().startsWith("Recent")) {
            EXPECT_TRUE(rows.count(a->objectName())) << a->objectName().toStdString();
        }
    }
}

TEST_F(WindowTest, ErrorItemIsAHiddenPictureInTheMenuBar) {
    QAction* error = action("Error");
    EXPECT_FALSE(error->isVisible());
    EXPECT_EQ(error->text(), "Error");  // what a screen reader says; the bar shows the picture
    EXPECT_FALSE(error->icon().isNull());
    EXPECT_TRUE(form->menuBar()->actions().contains(error));
}

TEST_F(WindowTest, ShownErrorItemIsASmallRedPicture) {
    form->show();
    QAction* error = action("Error");
    error->setVisible(true);
    QApplication::processEvents();
    const QRect place = form->menuBar()->actionGeometry(error);
    ASSERT_FALSE(place.isEmpty());
    EXPECT_LT(place.width(), 40) << "a picture, no text";
    const QImage shown = form->menuBar()->grab(place).toImage();
    int red = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(red, 20);
}

TEST_F(WindowTest, QuitHasThePlatformsShortcut) {
    EXPECT_EQ(action("Exit1")->shortcut(), QKeySequence(QKeySequence::Quit));
}

TEST_F(WindowTest, TimerIsPreciseAndPacedForSixtyFourTicksASecond) {
    EXPECT_EQ(timer()->timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(timer()->isSingleShot());
    EXPECT_EQ(TickPeriodNs, 15'625'000);
}

TEST_F(WindowTest, TabWalksTheBandAsItIsRead) {
    showActive();
    bar("SBRevArm")->setFocus(Qt::TabFocusReason);
    // Turning at mid gear with step 10: the driver bar, Cen and 10.0 are disabled. After
    // the motion band the view band: Norm is idle at start and the reference controls
    // are off, the dynamic-variable bars hidden.
    const char* expected[] = {"Rev",     "Fwd",     "Run",       "Deg00",     "Deg180",
                              "SBStepAng", "Step1", "Step45",    "Preset0",   "Preset1",
                              "Preset2", "Preset3", "Preset4",   "Preset5",   "Preset6",
                              "SBPanVert", "SBPanHorz", "SBZoom", "SBRevArm"};
    for (const char* name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
    }
}

TEST_F(WindowTest, StoppedGearsDriverBarIsOnTheTabPath) {
    click("Run");
    showActive();
    button("Run")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button("Run"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), bar("SBDrvAng"));
}

TEST_F(WindowTest, ArrowAndPageKeysMoveTheBarsAsTheMouseDoes) {
    showActive();
    QScrollBar* arm = bar("SBRevArm");
    arm->setFocus();
    QTest::keyClick(arm, Qt::Key_Left);
    EXPECT_EQ(arm->value(), -1);
    EXPECT_EQ(model.Direction, "Rev");
    EXPECT_TRUE(enabled("Center"));
    QTest::keyClick(arm, Qt::Key_PageUp);
    EXPECT_EQ(arm->value(), 19);
    EXPECT_FLOAT_EQ(model.RevArmPosition, model.RevArmCentre() + 0.019f);
    EXPECT_EQ(model.Direction, "Fwd");

    QScrollBar* step = bar("SBStepAng");
    step->setFocus();
    QTest::keyClick(step, Qt::Key_Left);
    EXPECT_EQ(model.StepAngle, 5.0f);
    EXPECT_EQ(bar("SBDrvAng")->singleStep(), 500);
    QTest::keyClick(step, Qt::Key_PageDown);  // 11080 - 2760
    EXPECT_EQ(step->value(), 8320);
    EXPECT_EQ(model.StepAngle, 1.0f);

    click("Run");
    QScrollBar* driver = bar("SBDrvAng");
    driver->setFocus();
    QTest::keyClick(driver, Qt::Key_Right);
    EXPECT_EQ(model.DriverAngle, 1.0f);  // the 1-degree band's small change
    EXPECT_TRUE(enabled("Deg00") && enabled("Deg180"));
}

TEST_F(WindowTest, FocusedButtonsPressWithSpaceReturnAndEnter) {
    showActive();
    QPushButton* run = button("Run");
    run->setFocus(Qt::TabFocusReason);
    QTest::keyClick(run, Qt::Key_Space);
    EXPECT_EQ(model.Running, 0);
    QTest::keyClick(run, Qt::Key_Return);
    EXPECT_EQ(model.Running, 1);
    QTest::keyClick(run, Qt::Key_Enter);
    EXPECT_EQ(model.Running, 0);
    EXPECT_EQ(caption("Run"), "Run");
}

TEST_F(WindowTest, CaptionCarriesTheSetNameAndVersion) {
    form->Timer1Timer();
    EXPECT_TRUE(form->windowTitle().startsWith("QUARN Inside Admission            Nominal     "));
    // "[*]" is where the platform marks unsaved changes.
    EXPECT_TRUE(form->windowTitle().endsWith("   Version 2.6[*]"));
    model.DimSetName = "Test";
    form->Timer1Timer();
    EXPECT_TRUE(form->windowTitle().contains("Test     "));
}

TEST_F(WindowTest, DegenerateGearDoesNotStopTheTick) {
    const float goodStroke = model.frame.Stroke;
    const float startAngle = model.DriverAngle;
    model.frame.Stroke = std::numeric_limits<float>::quiet_NaN();
    model.view.ViewScale = 1e30f;
    for (int i = 0; i < 5; ++i) form->Timer1Timer();
    // The driver kept turning: five ticks of 10 degrees each.
    EXPECT_FLOAT_EQ(std::fmod(model.DriverAngle - startAngle + 360.0f, 360.0f), 50.0f);
    // A NaN stroke may leave pivots that are not numbers, but nothing blows up to infinity.
    for (int p = 0; p < PivotCount; ++p) {
        EXPECT_FALSE(std::isinf(model.PivotHorz[p])) << "pivot " << p;
        EXPECT_FALSE(std::isinf(model.PivotVert[p])) << "pivot " << p;
    }
    // With the stroke and the view mended, the very next frame shows the gear again:
    // the driving wheel's rim crosses the row through the driver centre.
    model.frame.Stroke = goodStroke;
    model.view.ViewScale = StartViewScale;
    form->Timer1Timer();
    const QImage& frame = form->frameImage();
    const int centreY = int(model.view.ViewOffsetY);
    int inked = 0;
    for (int x = 0; x < 400; ++x) inked += frame.pixel(x, centreY) != qRgb(255, 255, 255);
    EXPECT_GE(inked, 2);
}

TEST_F(WindowTest, OpeningADesignSetsTheReverseArmRange) {
    GearModel other;
    InitStartupState(other);
    other.frame.RevArmToCentMax = 1.2f;
    const std::string path = ::testing::TempDir() + "/window_open_test.qgd";
    ASSERT_TRUE(saveDimensionFile(other, path).ok);
    click("Fwd");
    EXPECT_TRUE(form->openDesign(path));
    EXPECT_EQ(bar("SBRevArm")->maximum(), 1200);
    EXPECT_EQ(bar("SBRevArm")->minimum(), -1200);
    EXPECT_EQ(bar("SBRevArm")->value(), 0);
    EXPECT_EQ(model.DimSetName, "window_open_test");
    EXPECT_EQ(model.RevArmPosition, model.RevArmCentre());
    std::remove(path.c_str());
}

TEST_F(WindowTest, FileShortcutsAreTheUsualOnes) {
    EXPECT_TRUE(action("OpenDimensions")->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+O"))));
    EXPECT_TRUE(
        action("SaveAsDimensions")->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Shift+S"))));
}

TEST_F(WindowTest, FailedOpenShowsWhyAndLeavesTheWindowAsItWas) {
    click("Fwd");
    const float revArm = model.RevArmPosition;
    const int barValue = bar("SBRevArm")->value();
    const std::string name = model.DimSetName;
    QString shown;
    auto answered = answerNextDialog(
        [&](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) shown = box->text();
        },
        true);
    const std::string missing = ::testing::TempDir() + "/no_such_design.qgd";
    EXPECT_FALSE(form->openDesign(missing));
    EXPECT_TRUE(*answered);
    EXPECT_TRUE(shown.contains(QString::fromStdString(missing))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("File not found"))) << shown.toStdString();
    EXPECT_EQ(model.RevArmPosition, revArm);
    EXPECT_EQ(bar("SBRevArm")->value(), barValue);
    EXPECT_EQ(model.DimSetName, name);
}

TEST_F(WindowTest, WindowDoesNotResetTheModelItIsGiven) {
    GearModel m;
    InitStartupState(m);
    m.DriverAngle = 77;
    m.DimSetName = "Mine";
    TMainForm window(m);
    EXPECT_EQ(m.DriverAngle, 77.0f);
    EXPECT_EQ(m.DimSetName, "Mine");
}

}  // namespace
}  // namespace quarn

namespace quarn {
namespace {

// A click on the frame reaches the pointer rules in frame pixels: with the reference
// points on, the left button places point 1 and the right button point 2 under the
// pointer; with them off a click changes nothing.
using test::WindowTest;

TEST_F(WindowTest, ClicksOnTheFramePlaceTheReferencePoints) {
    QWidget* frame = form->centralWidget();
    QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(400, 300));
    EXPECT_EQ(model.PivotHorz[19], 0.0f);
    model.screen.RefPointsOn = 1;
    QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(400, 300));
    const PivotPoint p1 = modelPointAt(model, 400, 300);
    EXPECT_EQ(model.PivotHorz[19], p1.Horz);
    EXPECT_EQ(model.PivotVert[19], p1.Vert);
    QTest::mouseClick(frame, Qt::RightButton, {}, QPoint(700, 500));
    const PivotPoint p2 = modelPointAt(model, 700, 500);
    EXPECT_EQ(model.PivotHorz[20], p2.Horz);
    EXPECT_EQ(model.PivotVert[20], p2.Vert);
    EXPECT_NE(p1.Horz, p2.Horz);
}

}  // namespace
}  // namespace quarn

namespace quarn {
namespace {

using test::WindowTest;

// A click on the frame while a dimension graphic shows ends it at the next frame, and
// the view the user had comes back.
TEST_F(WindowTest, ClickEndsTheDimensionGraphic) {
    const float scale = model.view.ViewScale;
    ASSERT_TRUE(startDimensionGraphic(model, 1));
    form->Timer1Timer();
    EXPECT_GT(model.dimGraphic.ShowDimension, 0);
    QTest::mouseClick(form->centralWidget(), Qt::LeftButton, {}, QPoint(600, 500));
    form->Timer1Timer();
    form->Timer1Timer();
    EXPECT_LE(model.dimGraphic.ShowDimension, 0);
    EXPECT_EQ(model.view.ViewScale, scale);
}

}  // namespace
}  // namespace quarn

namespace quarn {
namespace {

TEST_F(WindowTest, DimensionGraphicClosesTheDialogAndOpensItAgain) {
    bool closedByFrame = false;
    answerNextDialog(
        [&](QDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>("Button3"), Qt::LeftButton);
            form->Timer1Timer();  // the graphic's first frame asks for the dialog to go
            closedByFrame = !d.isVisible();
        },
        false);
    action("FrameDim")->trigger();
    EXPECT_TRUE(closedByFrame);
    EXPECT_EQ(model.dimGraphic.ShowDimension, 3);

    // A click on the frame ends the graphic; its last frame opens the dialog again.
    const auto reopened = answerNextDialog([](QDialog&) {}, false);
    endDimensionGraphicOnClick(model);
    form->Timer1Timer();
    QDeadlineTimer deadline(5000);
    while (!*reopened && !deadline.hasExpired()) QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(*reopened);
    EXPECT_EQ(model.dimGraphic.ShowDimension, 0);
}

TEST_F(WindowTest, TypedMaxBelowNormalIsRaisedAndTheReverseBarSpansIt) {
    // Max typed as 1.2 while Normal is 1.5 becomes 1.5, and the reverse-arm bar of the
    // main window spans -1500..1500 after the dialog closes.
    const auto answered = answerNextDialog(
        [](QDialog& d) {
            d.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            auto* max = d.findChild<QLineEdit*>("Edit30");
            ASSERT_NE(max, nullptr);
            max->setFocus();
            max->selectAll();
            QTest::keyClicks(max, QStringLiteral("1.2"));
            QTest::mouseClick(d.findChild<QPushButton*>("Close1"), Qt::LeftButton);
        },
        false);
    action("FrameDim")->trigger();
    EXPECT_TRUE(*answered);
    EXPECT_FLOAT_EQ(model.frame.RevArmToCentMax, 1.5f);
    EXPECT_EQ(bar("SBRevArm")->minimum(), -1500);
    EXPECT_EQ(bar("SBRevArm")->maximum(), 1500);
}

TEST_F(WindowTest, ImpossibleGearFlashesTheErrorItemThroughTheTicks) {
    // A main rod too short for the cylinder's place: the solver cannot close the gear.
    model.frame.MainRodLength = 9.5f;
    QAction* error = action("Error");
    for (int frame = 1; frame <= 21; ++frame) {
        form->Timer1Timer();
        const bool shown = frame <= 9;  // then the sound, then eleven quiet frames
        EXPECT_EQ(error->isVisible(), shown) << "frame " << frame;
    }
    form->Timer1Timer();  // the gear is still impossible: the flash starts again
    EXPECT_TRUE(error->isVisible());
    model.frame.MainRodLength = 16.5f;
    for (int frame = 0; frame < 22; ++frame) form->Timer1Timer();
    EXPECT_FALSE(error->isVisible());
}

std::vector<std::string>* capturedWarnings = nullptr;
void captureWarnings(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (capturedWarnings) capturedWarnings->push_back(text.toStdString());
}

TEST_F(WindowTest, AskingForAnOpenDimensionDialogBringsItForward) {
    // The user reopens the dialog from the menu while it is open (as when a dimension
    // graphic's end asks for it too): the open dialog stays the one modal run.
    std::vector<std::string> warnings;
    capturedWarnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(captureWarnings);
    bool stillOpen = false;
    const auto answered = answerNextDialog(
        [&](QDialog& d) {
            action("FrameDim")->trigger();
            stillOpen = d.isVisible() && QApplication::activeModalWidget() == &d;
        },
        false);
    action("FrameDim")->trigger();
    qInstallMessageHandler(previous);
    capturedWarnings = nullptr;
    EXPECT_TRUE(*answered);
    EXPECT_TRUE(stillOpen);
    for (const std::string& w : warnings) EXPECT_EQ(w.find("Recursive"), std::string::npos) << w;
}

}  // namespace
}  // namespace quarn
