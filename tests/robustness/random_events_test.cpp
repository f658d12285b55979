// A few thousand random but legal events from a person's hands on the main window and
// the dialogs it opens, offscreen and from a fixed seed: clicks on the controls that
// are shown and enabled, keys typed into fields, scroll-bar moves, clicks on the
// drawing, menu items, and Escape. One tick of the gear follows every event. Afterwards
// the window must still tick, nothing may have crashed (the sanitizers watch), and no
// real of the model may have become a wrong kind of value.
//
// "Wrong" here: a real that was a finite number at the start is NaN or infinite. The
// random hands type at most a dozen characters of digits, "." and "-" into a field, so
// no typed number reaches the float's range; every path to a non-finite value is then
// the program's own arithmetic (a zoom multiplied without end, a division by a dimension
// typed as 0), which is a fault.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "mainwin/main_window.h"
#include "robustness/model_reals.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

// Menu items of the main window the random hands leave alone: they end the program or
// open a file dialog, which would read and write files wherever the hands point it
// (Save asks for a name while the design has no file; a recent design may be anywhere).
const std::set<QString> ItemsNotPicked = {
    QStringLiteral("Exit1"), QStringLiteral("OpenDimensions"), QStringLiteral("OpenDosVersionDim"),
    QStringLiteral("SaveAsDimensions"), QStringLiteral("SaveDimensions"), QStringLiteral("Error"),
    QStringLiteral("Recent1"), QStringLiteral("Recent2"), QStringLiteral("Recent3"),
    QStringLiteral("Recent4"), QStringLiteral("Recent5"), QStringLiteral("Recent6"),
    QStringLiteral("Recent7"), QStringLiteral("Recent8")};

// How the person opens each window the run must visit. Every so many events, when the
// main window is on top, the next of these is opened and the random events go on in it;
// a window that does not open fails the test, so a renamed or disconnected menu item
// cannot quietly shrink what the test covers. A window that comes later (a diagram
// window, the overlay dialog) joins with one line here: its name and its menu item.
struct Opener {
    const char* window;
    const char* item;    // a menu item of the main window, or
    const char* button;  // a button on the drawing, shown by `item` when it is hidden
};
const Opener WindowsToVisit[] = {
    {"TRevPos", "RevArmPos", nullptr},
    {"TDrivAng", "DriverAng", nullptr},
    {"TStpAng", "StepAng1", nullptr},
    {"TRefPnts", "RefPoints1", nullptr},
    {"TGraphZoom", "SetGraphicZoom", nullptr},
    {"TFrameDi", "FrameDim", nullptr},
    {"TCylDimen", "CylDim", nullptr},
    {"TDataTable", "SetPivotData", "DataTableBut"},
    {"TInst", "Instructions", nullptr},
    {"TQuISpInst", "SpecInstr", nullptr},
    {"TAboutBox", "About1", nullptr},
    {"TSineDia", "SineDiag", nullptr},
    {"TOvalDia", "OvalDiag", nullptr},
    {"TSteamDia", "SteamDiag", nullptr},
    {"TPortDia", "FourEvents", nullptr},
};
constexpr int EventsBetweenVisits = 100;

constexpr std::uint32_t Seed = 20261209;
constexpr int EventCount = 3000;
constexpr int FramesEvery = 3;

// The keys a person might type into a number field: mostly the ones it takes, some it
// must refuse.
constexpr char TypedKeys[] = "0123456789012345678901234567890123456789..--.xe+, ";
constexpr int LongestTypedText = 12;

class RandomHands {
public:
    RandomHands(TMainForm& form, std::uint32_t seed) : form_(form), random_(seed) {}

    // Runs `count` events, each from the event loop of whatever window is up, so that a
    // modal dialog opened by one event receives the next ones in its own loop. Returns
    // once every dialog is closed again.
    void run(int count) {
        left_ = total_ = count;
        QEventLoop loop;
        done_ = [&loop] { loop.quit(); };
        // Should the chain of events ever break with a dialog up, its loop would wait for
        // a person forever: a guard that sees no event pass for a long while says so and
        // closes what is open.
        QTimer guard;
        int seen = -1, idle = 0;
        guard.callOnTimeout([&] {
            const int at = left_ + finishing_ * 100000;
            idle = at == seen ? idle + 1 : 0;
            seen = at;
            if (idle < 60) return;
            idle = 0;
            ADD_FAILURE() << "the events stopped; the last ones:\n" << recentEvents();
            left_ = 0;
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
            QTimer::singleShot(0, &form_, [this] { finish(); });
        });
        guard.start(1000);
        QTimer::singleShot(0, &form_, [this] { step(); });
        loop.exec();
    }

    const std::set<QString>& visited() const { return visited_; }
    const std::string& wrongReal() const { return wrongReal_; }
    std::string recentEvents() const {
        std::ostringstream out;
        for (const auto& e : log_) out << "  " << e << "\n";
        return out.str();
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return pick(100) < percent; }

    // The window the person is working in: the dialog on top, or the main window.
    QWidget* surface() const {
        QWidget* modal = QApplication::activeModalWidget();
        return modal ? modal : &form_;
    }

    void note(const QString& what) {
        log_.push_back(what.toStdString());
        if (log_.size() > 25) log_.pop_front();
    }

    void step() {
        if (left_ <= 0) {
            finish();
            return;
        }
        --left_;
        // The next event is queued first: if this one opens a modal dialog, the dialog's
        // own loop runs it.
        QTimer::singleShot(0, &form_, [this] { step(); });
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        QWidget* on = surface();
        visited_.insert(on->objectName());
        if (on == &form_ && ++sinceVisit_ >= EventsBetweenVisits) {
            sinceVisit_ = 0;
            visitNext();
        } else {
            act(on);
        }
        // A frame of the gear after every third thing the person does (64 frames a second
        // against a few clicks a second): the gear is drawn in most states the events
        // leave, at a third of the cost of a frame each.
        if (left_ % FramesEvery == 0) form_.Timer1Timer();
        checkReals();
    }

    // The first real that went wrong, with the events that led there.
    void checkReals() {
        if (!wrongReal_.empty()) return;
        for (const test::NamedReal& r : test::modelReals(form_.model()))
            if (!std::isfinite(r.value)) {
                wrongReal_ = r.name + " became " + std::to_string(r.value) + " at event " +
                             std::to_string(total_ - left_) + "; the events before:\n" +
                             recentEvents();
                return;
            }
    }

    // Closes the dialogs from the top down, each from its own loop, and lets a dimension
    // graphic on show end (a click on the drawing ends it; the dialog it came from then
    // opens again and is closed in turn). Then stops.
    void finish() {
        if (++finishing_ > 500) {
            ADD_FAILURE() << "the windows would not close: "
                          << (QApplication::activeModalWidget()
                                  ? QApplication::activeModalWidget()->objectName().toStdString()
                                  : std::string("a dimension graphic"));
            done_();
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            quietPasses_ = 0;
            QTimer::singleShot(0, &form_, [this] { finish(); });
            note(QStringLiteral("close ") + modal->objectName());
            if (auto* d = qobject_cast<QDialog*>(modal))
                d->reject();
            else
                modal->close();
            return;
        }
        if (form_.model().dimGraphic.ShowDimension > 0) {
            QTimer::singleShot(0, &form_, [this] { finish(); });
            note(QStringLiteral("end the dimension graphic"));
            QTest::mouseClick(form_.centralWidget(), Qt::LeftButton, {}, QPoint(700, 600));
            form_.Timer1Timer();
            quietPasses_ = 0;
            return;
        }
        // A frame may just have asked for a dialog to open again, from the event loop:
        // one more pass, queued behind that request, must find everything still closed.
        if (++quietPasses_ < 2) {
            QTimer::singleShot(0, &form_, [this] { finish(); });
            return;
        }
        done_();
    }

    // Opens the next window of WindowsToVisit as a person would; the ones that need the
    // screen data (hidden by a random click on its menu item) get them back first.
    void visitNext() {
        const Opener& o = WindowsToVisit[nextVisit_++ % std::size(WindowsToVisit)];
        note(QStringLiteral("open ") + o.window);
        auto* item = form_.findChild<QAction*>(QString::fromLatin1(o.item));
        auto* screenData = form_.findChild<QAction*>(QStringLiteral("SetScreenData"));
        if (!item || !screenData) {
            ADD_FAILURE() << "no menu item " << o.item;
            return;
        }
        if (!form_.model().screen.ScreenDataOn) screenData->trigger();
        if (!o.button) {
            item->trigger();
            return;
        }
        auto* button = form_.findChild<QAbstractButton*>(QString::fromLatin1(o.button));
        if (!button) {
            ADD_FAILURE() << "no button " << o.button;
            return;
        }
        for (int i = 0; i < 2 && !button->isVisible(); ++i) item->trigger();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    template <class T>
    QList<T*> shown(QWidget* on) const {
        QList<T*> out;
        for (T* w : on->findChildren<T*>()) {
            if (!w->isVisible() || !w->isEnabled() || w->window() != on) continue;
            // The tool bar repeats the menu items (among them the file dialogs); the menu
            // bar's own buttons open menus. Items are picked through the menus.
            bool inBar = false;
            for (QWidget* p = w; p && p != on; p = p->parentWidget())
                inBar = inBar || qobject_cast<QToolBar*>(p) || qobject_cast<QMenuBar*>(p);
            if (!inBar && !qobject_cast<QToolButton*>(w)) out << w;
        }
        return out;
    }

    QList<QAction*> menuItems(QWidget* on) const {
        QList<QAction*> out;
        std::function<void(const QList<QAction*>&)> collect = [&](const QList<QAction*>& actions) {
            for (QAction* a : actions) {
                if (a->menu()) {
                    collect(a->menu()->actions());
                    continue;
                }
                if (a->isSeparator() || !a->isVisible() || !a->isEnabled()) continue;
                if (on == &form_ && ItemsNotPicked.count(a->objectName())) continue;
                out << a;
            }
        };
        for (QMenuBar* bar : on->findChildren<QMenuBar*>())
            if (bar->window() == on) collect(bar->actions());
        return out;
    }

    void act(QWidget* on) {
        // A person leaves a dialog now and then by Escape; one with nothing to type in (a
        // help text, the About box) soon.
        const bool readOnly = shown<QLineEdit>(on).isEmpty();
        if (on != &form_ && chance(readOnly ? 25 : 8)) {
            note(QStringLiteral("Escape on ") + on->objectName());
            QTest::keyClick(on, Qt::Key_Escape);
            return;
        }
        const int kind = pick(100);
        if (kind < 30 && clickButton(on)) return;
        if (kind < 50 && moveBar(on)) return;
        if (kind < 72 && typeInField(on)) return;
        if (kind < 84 && pickMenuItem(on)) return;
        if (on == &form_ && clickDrawing()) return;
        clickButton(on);
    }

    bool clickButton(QWidget* on) {
        auto buttons = shown<QAbstractButton>(on);
        // Asked to save a changed design, the hands never choose Save: without a file it
        // opens the file dialog.
        if (on->objectName() == QStringLiteral("SaveChanges"))
            buttons.removeIf([](QAbstractButton* b) { return b->text().contains(QStringLiteral("Save")); });
        if (buttons.isEmpty()) return false;
        QAbstractButton* b = buttons[pick(buttons.size())];
        note(QStringLiteral("click ") + b->objectName() + " \"" + b->text() + "\"");
        QTest::mouseClick(b, Qt::LeftButton);
        return true;
    }

    bool moveBar(QWidget* on) {
        const auto bars = shown<QScrollBar>(on);
        if (bars.isEmpty()) return false;
        QScrollBar* bar = bars[pick(bars.size())];
        if (chance(60)) {
            static const Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up, Qt::Key_Down,
                                           Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
                                           Qt::Key_End};
            const Qt::Key key = keys[pick(std::size(keys))];
            note(QStringLiteral("key %1 on bar ").arg(int(key), 0, 16) + bar->objectName());
            bar->setFocus(Qt::TabFocusReason);
            QTest::keyClick(bar, key);
        } else {
            // A click somewhere along the bar: an arrow or a page step.
            const bool across = bar->orientation() == Qt::Horizontal;
            const int length = across ? bar->width() : bar->height();
            const int at = pick(std::max(1, length));
            const QPoint p = across ? QPoint(at, bar->height() / 2) : QPoint(bar->width() / 2, at);
            note(QStringLiteral("click bar %1 at %2").arg(bar->objectName()).arg(at));
            QTest::mouseClick(bar, Qt::LeftButton, {}, p);
        }
        return true;
    }

    bool typeInField(QWidget* on) {
        QList<QWidget*> fields;
        for (QLineEdit* e : shown<QLineEdit>(on)) fields << e;
        for (QPlainTextEdit* e : shown<QPlainTextEdit>(on)) fields << e;
        if (fields.isEmpty()) return false;
        QWidget* field = fields[pick(fields.size())];
        QString text;
        for (int n = 1 + pick(6); n > 0; --n) text += QLatin1Char(TypedKeys[pick(sizeof TypedKeys - 1)]);
        note(QStringLiteral("type \"%1\" into ").arg(text) + field->objectName());
        QTest::mouseClick(field, Qt::LeftButton);
        field->setFocus(Qt::MouseFocusReason);
        // A field already long is typed over, as a person selects and replaces.
        auto* line = qobject_cast<QLineEdit*>(field);
        if (line && line->text().size() + text.size() > LongestTypedText) line->selectAll();
        if (chance(15)) QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        // Leaving the field takes the value: by Tab, by Return or not at all yet.
        const int leave = pick(3);
        if (leave == 0) QTest::keyClick(field, Qt::Key_Tab);
        if (leave == 1 && line) QTest::keyClick(field, Qt::Key_Return);
        return true;
    }

    bool pickMenuItem(QWidget* on) {
        const auto items = menuItems(on);
        if (items.isEmpty()) return false;
        QAction* a = items[pick(items.size())];
        note(QStringLiteral("menu ") + a->objectName() + " \"" + a->text() + "\"");
        a->trigger();
        return true;
    }

    bool clickDrawing() {
        auto* view = form_.centralWidget();
        if (!view) return false;
        const QPoint at(pick(view->width()), pick(view->height()));
        // The controls lie on the drawing; a click is the drawing's only where none is.
        QWidget* hit = view->childAt(at);
        QWidget* target = hit ? hit : view;
        const QString name = hit ? target->objectName() : QStringLiteral("the drawing");
        const Qt::MouseButton button = chance(70) ? Qt::LeftButton : Qt::RightButton;
        note(QStringLiteral("%1 click on %2 at %3,%4")
                 .arg(button == Qt::LeftButton ? "left" : "right", name)
                 .arg(at.x())
                 .arg(at.y()));
        if (!target->isEnabled() || !target->isVisible()) return true;
        QTest::mouseClick(target, button, {}, target->mapFrom(view, at));
        return true;
    }

    TMainForm& form_;
    std::mt19937 random_;
    int left_ = 0;
    int total_ = 0;
    std::string wrongReal_;
    int sinceVisit_ = 0;
    int finishing_ = 0;
    int quietPasses_ = 0;
    std::size_t nextVisit_ = 0;
    std::function<void()> done_;
    std::set<QString> visited_;
    std::deque<std::string> log_;
};

// The folder a file dialog opens in, while the test runs: the hands may type a name
// into a diagram window's Save Picture dialog and press Enter, and those pictures
// belong in a folder that goes with the test, not beside the test programs.
class WorkInTemporaryFolder {
public:
    WorkInTemporaryFolder() : was(QDir::currentPath()) { QDir::setCurrent(folder.path()); }
    ~WorkInTemporaryFolder() { QDir::setCurrent(was); }
    WorkInTemporaryFolder(const WorkInTemporaryFolder&) = delete;
    WorkInTemporaryFolder& operator=(const WorkInTemporaryFolder&) = delete;

private:
    QTemporaryDir folder;
    QString was;
};

TEST(RandomEvents, TheWindowSurvivesAPersonsHandsAndKeepsItsNumbers) {
    test::ensureApplication();
    SCOPED_TRACE("seed " + std::to_string(Seed));
    const WorkInTemporaryFolder folder;
    GearModel model;
    InitStartupState(model);
    auto form = std::make_unique<TMainForm>(model);
    auto* timer = form->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    // The test ticks by hand, one frame per event, so that a seed replays exactly.
    timer->stop();
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    const std::vector<test::NamedReal> before = test::modelReals(model);
    for (const auto& r : before) ASSERT_TRUE(std::isfinite(r.value)) << r.name;

    RandomHands hands(*form, Seed);
    hands.run(EventCount);

    EXPECT_TRUE(hands.wrongReal().empty()) << hands.wrongReal();
    for (const Opener& o : WindowsToVisit)
        EXPECT_TRUE(hands.visited().count(QString::fromLatin1(o.window)))
            << o.window << " never opened; the last events:\n" << hands.recentEvents();

    // Still ticking: the window's own timer runs again and keeps re-arming itself.
    EXPECT_TRUE(form->isVisible());
    QSignalSpy ticks(timer, &QTimer::timeout);
    timer->start(0);
    EXPECT_TRUE(ticks.wait(5000));
    EXPECT_TRUE(ticks.count() >= 2 || ticks.wait(5000));
    EXPECT_TRUE(timer->isActive());
    timer->stop();

    // A sound still being read must finish before the window and its sounds go.
    QDeadlineTimer deadline(5000);
    while (form->sound().loading() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    form.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace quarn
