// The diagram windows' own mechanics, pressed as the user presses them: opening and
// closing around the main window's timer, the redraw owed after the position dialog,
// the dynamic-variable bars and UnDo, the port window's graphs, saving and printing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "diagrams/diagram_windows.h"
#include "drawing/frame_mapping.h"
#include "model/dimensions.h"
#include "model/dyn_vars.h"
#include "model/gear_model.h"
#include "support/qt_app.h"
#include "support/ink_bounds.h"

namespace quarn {
namespace {

// What the windows asked of the main window.
struct HostLog {
    std::vector<bool> timer;  // each setTimerRunning, in order
    int followDynVars = 0;
};

DiagramHost hostFor(HostLog& log) {
    return {[&log](bool running) { log.timer.push_back(running); },
            [&log] { ++log.followDynVars; },
            [](const std::string& prefix) { return prefix + "Nominal     date   time   Version 2.6"; }};
}

// Pixels of the picture inside `r` that have colour `c`.
int countColour(const QImage& image, QRect r, QRgb c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF)) ++n;
    return n;
}
int notWhite(const QImage& image, QRect r) {
    return r.width() * r.height() - countColour(image, r, qRgb(255, 255, 255));
}

class DiagramWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        InitStartupState(model);
        // The main window has ticked before any diagram opens: the port edges the
        // diagrams draw are those of the latest solve.
        solveAndMapFrame(model);
    }

    // A window opened with the steps of opening, but without the position dialog
    // (the main window's own test answers it) and not modal, so the test goes on.
    template <class W, class... Extra>
    std::unique_ptr<W> open(Extra... extra) {
        auto w = std::make_unique<W>(model, hostFor(log), extra..., nullptr);
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        w->FormActivate();
        return w;
    }
    std::unique_ptr<TSineDia> openSine() { return open<TSineDia>(static_cast<TSetRevArm*>(nullptr)); }
    std::unique_ptr<TPortDia> openPort() { return open<TPortDia>(); }

    template <class T>
    static T* child(QWidget& w, const char* name) {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void trigger(QWidget& w, const char* action) { child<QAction>(w, action)->trigger(); }

    void select(std::string_view field) {
        const DimensionDescriptor& d = *findDimensionByField(field);
        selectDynVar(model, d.dynVarCode, dimensionValue(model, d), d.label);
    }

    GearModel model;
    HostLog log;
};

TEST_F(DiagramWindowTest, OpeningStopsTheTimerDrawsAndClosingStartsItWithTheGearAsItWas) {
    model.DriverAngle = 123.5f;
    model.RevArmPosition = 11.0f;
    auto w = openSine();
    EXPECT_EQ(log.timer, std::vector<bool>{false});
    EXPECT_GT(notWhite(w->picture(), w->picture().rect()), 1000);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("QUARN Inside Admission      Sine Diagram    "
                                               "Nominal     date   time   Version 2.6"));
    QTest::mouseClick(child<QPushButton>(*w, "CloseSin"), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(log.timer, (std::vector<bool>{false, true}));
    EXPECT_EQ(model.DriverAngle, 123.5f);
    EXPECT_EQ(model.RevArmPosition, 11.0f);
}

using test::inkBounds;

// Made larger, the window shows its picture filling it with the proportions kept: what
// the reference picture draws at (x, y) is shown at (s x, s y), the Close button with it.
TEST_F(DiagramWindowTest, ResizedWindowShowsThePictureAtItsSize) {
    const struct {
        const char* name;
        QSize grow;    // window pixels added to the picture's own size
        double scale;  // the fit that gives
        QPoint closeAt;  // the port window's Close button, at (447, 2) as opened
    } rows[] = {{"AsOpened", {0, 0}, 1.0, {447, 2}},
                {"TwiceTheSize", {632, 414}, 2.0, {894, 4}},
                {"WiderOnlyAsFarAsItIsTall", {948, 207}, 1.5, {670, 3}}};  // 670.5 to even
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto w = openPort();
        QWidget* surface = child<QWidget>(*w, "Surface");
        const QSize opened = surface->size();
        ASSERT_EQ(opened, w->picture().size());
        w->resize(w->size() + row.grow);
        QApplication::processEvents();
        ASSERT_EQ(surface->size(), opened + row.grow);
        const QImage& shown = w->shownPicture();
        EXPECT_EQ(shown.size(), surface->size());
        const QRect ink = inkBounds(w->picture()), shownInk = inkBounds(shown);
        EXPECT_NEAR(shownInk.left(), row.scale * ink.left(), 2);
        EXPECT_NEAR(shownInk.top(), row.scale * ink.top(), 2);
        EXPECT_NEAR(shownInk.right(), row.scale * ink.right(), 3);
        EXPECT_NEAR(shownInk.bottom(), row.scale * ink.bottom(), 3);
        EXPECT_EQ(child<QPushButton>(*w, "ClosePort")->pos(), row.closeAt);
        if (row.scale == 1.0) {
            EXPECT_EQ(shown, w->picture());
        }
    }
}

TEST_F(DiagramWindowTest, PointerMoveAfterThePositionDialogRedrawsOnceAndClearsTheFlag) {
    model.diagrams.RevArmPositionCount = 3;  // as the position dialog leaves the defaults
    auto w = openSine();
    QWidget* surface = child<QWidget>(*w, "Surface");
    const QImage before = w->picture();
    // The dialog closed with a fourth position; the picture does not show it yet.
    model.RevArmPositions[4] = 11.5f;
    model.diagrams.RevArmPositionCount = 4;
    model.diagrams.RevArmSetClosed = 1;
    QTest::mouseMove(surface, {300, 200});
    QTest::mouseMove(surface, {310, 210});
    EXPECT_EQ(model.diagrams.RevArmSetClosed, 0);
    const QImage redrawn = w->picture();
    EXPECT_NE(redrawn, before);
    // With the flag cleared, moves draw nothing more.
    model.diagrams.RevArmPositionCount = 3;
    QTest::mouseMove(surface, {200, 100});
    EXPECT_EQ(w->picture(), redrawn);
    // ReDraw draws afresh: the picture is the three positions' again.
    trigger(*w, "ReDraw");
    EXPECT_EQ(w->picture(), before);
}

TEST_F(DiagramWindowTest, DynamicVariablesWithNothingSelectedShowTheRedBannerAndDisabledBars) {
    auto w = openSine();
    trigger(*w, "DynVari");
    EXPECT_EQ(model.dyn.DynVarsShown, 1);
    EXPECT_EQ(log.followDynVars, 1);  // the main window's bars follow
    for (int k = 1; k <= 4; ++k) {
        QScrollBar* bar = child<QScrollBar>(*w, ("SBDynVarS" + std::to_string(k)).c_str());
        EXPECT_TRUE(bar->isVisible()) << k;
        EXPECT_FALSE(bar->isEnabled()) << k;
    }
    EXPECT_GT(countColour(w->picture(), {235, 0, 200, 40}, qRgb(255, 0, 0)), 50);
    trigger(*w, "DynVari");
    EXPECT_FALSE(child<QScrollBar>(*w, "SBDynVarS1")->isVisible());
    EXPECT_EQ(countColour(w->picture(), {235, 0, 200, 40}, qRgb(255, 0, 0)), 0);
}

// Bar k's right arrow with four dimensions selected: slot k is the dimension selected
// (5 - k)th, here Stroke, Main Rod, Union Link and Driver Dia from slot 4 to slot 1.
class DiagramBarArrow : public DiagramWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(DiagramBarArrow, StepsSlotKsDimensionRecordsItForUndoAndSpringsBack) {
    const int k = GetParam();
    const char* fields[] = {nullptr, "DriverDia", "UnionLinkLength", "MainRodLength", "Stroke"};
    for (int s = 4; s >= 1; --s) select(fields[s]);
    const DimensionDescriptor& d = *findDimensionByField(fields[k]);
    const float start = dimensionValue(model, d);
    auto w = openSine();
    trigger(*w, "DynVari");
    const QImage before = w->picture();
    auto* bar = child<QScrollBar>(*w, ("SBDynVarS" + std::to_string(k)).c_str());
    ASSERT_TRUE(bar->isEnabled());
    QTest::mouseClick(bar, Qt::LeftButton, {}, {bar->width() - 3, bar->height() / 2});
    EXPECT_NEAR(dimensionValue(model, d), start + 0.001, 1e-5);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_NE(w->picture(), before);  // drawn with the new dimension
    for (int s = 1; s <= 4; ++s) {
        if (s != k) {
            EXPECT_EQ(model.dyn.DynVarSlots[std::size_t(s)].DynVarValue,
                      dimensionValue(model, *findDimensionByField(fields[s])));
        }
    }
    // The gesture's end: an undo record, and the keys go to Close for the next one.
    EXPECT_EQ(model.dyn.UndoCount, 1);
    EXPECT_EQ(model.dyn.UndoHistory[1].DynVarCode, d.dynVarCode);
    EXPECT_TRUE(child<QPushButton>(*w, "CloseSin")->hasFocus());
    // UnDo shown from the menu, then pressed: the dimension is back.
    trigger(*w, "UnDoSine");
    auto* undo = child<QPushButton>(*w, "UnDoDnS");
    ASSERT_TRUE(undo->isVisible());
    ASSERT_TRUE(undo->isEnabled());
    QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_NEAR(dimensionValue(model, d), start, 1e-5);
    EXPECT_EQ(model.dyn.UndoCount, 0);
    EXPECT_FALSE(undo->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Bars, DiagramBarArrow, ::testing::Range(1, 5));

TEST_F(DiagramWindowTest, UndoItemShowsAndHidesTheUndoButton) {
    auto w = openSine();
    auto* undo = child<QPushButton>(*w, "UnDoDnS");
    EXPECT_FALSE(undo->isVisible());
    trigger(*w, "UnDoSine");
    EXPECT_EQ(model.dyn.UndoShown, 1);
    EXPECT_TRUE(undo->isVisible());
    EXPECT_FALSE(undo->isEnabled());  // nothing to undo yet
    trigger(*w, "UnDoSine");
    EXPECT_EQ(model.dyn.UndoShown, 0);
    EXPECT_FALSE(undo->isVisible());
}

// The forward graph writes its reverse-arm values at x 556, the reverse graph at x 596;
// each column lies where the other graph leaves the picture white.
constexpr QRect ForwardValues{556, 100, 36, 200};
constexpr QRect ReverseValues{600, 100, 30, 200};

TEST_F(DiagramWindowTest, PortGraphsForwardReverseAndBothWithTheRedrawKeepingBoth) {
    model.diagrams.PortDiaMode = 'F';
    auto w = openPort();
    EXPECT_GT(notWhite(w->picture(), ForwardValues), 100);
    EXPECT_EQ(notWhite(w->picture(), ReverseValues), 0);

    trigger(*w, "BothGraphs1");
    EXPECT_EQ(model.diagrams.PortDiaMode, 'B');
    EXPECT_EQ(model.diagrams.PortLegendOn, 1);
    EXPECT_GT(notWhite(w->picture(), ForwardValues), 100);
    EXPECT_GT(notWhite(w->picture(), ReverseValues), 100);
    const QImage both = w->picture();
    trigger(*w, "ReDraw1");
    EXPECT_EQ(model.diagrams.PortDiaMode, 'B');
    EXPECT_EQ(w->picture(), both);

    trigger(*w, "ReverseGraph1");
    EXPECT_EQ(model.diagrams.PortDiaMode, 'R');
    EXPECT_EQ(notWhite(w->picture(), ForwardValues), 0);
    EXPECT_GT(notWhite(w->picture(), ReverseValues), 100);

    trigger(*w, "ForwardGraph1");
    EXPECT_EQ(model.diagrams.PortDiaMode, 'F');
    EXPECT_EQ(notWhite(w->picture(), ReverseValues), 0);
}

TEST_F(DiagramWindowTest, UndoItemInBothGraphsDrawsBothAfresh) {
    auto w = openPort();
    trigger(*w, "BothGraphs1");
    const QImage both = w->picture();
    trigger(*w, "UnDoPorts");  // on: two drawings, each of both graphs from white
    EXPECT_EQ(model.diagrams.PortDiaMode, 'B');
    EXPECT_EQ(notWhite(w->picture(), ForwardValues), notWhite(both, ForwardValues));
    EXPECT_EQ(notWhite(w->picture(), ReverseValues), notWhite(both, ReverseValues));
}

struct PictureCase {
    const char* name;
    const char* file;
    QByteArray magic;
};

class DiagramPictureFile : public DiagramWindowTest,
                           public ::testing::WithParamInterface<PictureCase> {};

TEST_P(DiagramPictureFile, SavePictureWritesTheFormatOfTheEnding) {
    auto w = openSine();
    QTemporaryDir dir;
    const std::string path = (dir.path() + QLatin1Char('/') + QLatin1String(GetParam().file)).toStdString();
    const std::string before = model.diagrams.UndoLine;
    EXPECT_EQ(w->savePictureTo(path), "");
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(64).contains(GetParam().magic)) << GetParam().file;
    EXPECT_EQ(model.diagrams.UndoLine, before);  // drawn from a copy of the design
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DiagramPictureFile,
    ::testing::Values(PictureCase{"Png", "sine.png", QByteArray("\x89PNG", 4)},
                      PictureCase{"Svg", "sine.SVG", QByteArray("<svg")},
                      PictureCase{"Pdf", "sine.pdf", QByteArray("%PDF")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiagramWindowTest, SavePictureTellsWhyItCannotWrite) {
    auto w = openSine();
    EXPECT_NE(w->savePictureTo("/no/such/folder/sine.png"), "");
    QTemporaryDir dir;
    EXPECT_NE(w->savePictureTo((dir.path() + QStringLiteral("/sine.bmp")).toStdString()), "");
}

TEST_F(DiagramWindowTest, PrintsToAPdfPrinter) {
    auto w = openPort();
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/ports.pdf");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    EXPECT_EQ(w->printTo(printer), QString());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(8).startsWith("%PDF"));
    EXPECT_GT(f.size(), 1000);
}

}  // namespace
}  // namespace quarn
