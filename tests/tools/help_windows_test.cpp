// The Help menu's windows, offscreen: the texts read at start-up, the error box for a
// file that is not there, the menu items, and the About box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <memory>

#include "support/qt_app.h"
#include "tools/about_box.h"
#include "tools/help_menu.h"
#include "tools/help_window.h"

namespace quarn {
namespace {

// Help sources that look only in one folder and write down every error box.
struct RecordedSources {
    explicit RecordedSources(const QString& dir) {
        sources.dirs = {dir.toStdString()};
        sources.errorBox = [this](QWidget*, const QString& message) { messages << message; };
    }
    HelpSources sources;
    QStringList messages;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Runs `act`, which opens a modal window; reads the window while it is up, then
// closes it with Escape as a user would. Returns the window that was up, if any.
QWidget* whileModal(const std::function<void()>& act, const std::function<void(QWidget*)>& look) {
    QWidget* seen = nullptr;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget();
        if (!seen) return;
        look(seen);
        QTest::keyClick(seen, Qt::Key_Escape);
        if (seen->isVisible()) seen->close();
    });
    act();
    return seen;
}

class HelpWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    // First: the window below needs the application to exist.
    const bool haveApplication = (test::ensureApplication(), true);
    QTemporaryDir dir;
    QMainWindow window;
};

TEST_F(HelpWindowsTest, MissingFilesAreEachReportedOnceAndTheWindowsStayEmpty) {
    RecordedSources none(dir.path());
    HelpMenu menu(window.menuBar(), &window, none.sources);
    ASSERT_EQ(none.messages.size(), 2);
    EXPECT_EQ(none.messages[0], "Error Loading instruct.doc: No such file or directory");
    EXPECT_EQ(none.messages[1], "Error Loading QuISpIns.doc: No such file or directory");
    EXPECT_TRUE(menu.Inst->Memo1->toPlainText().isEmpty());
    EXPECT_TRUE(menu.Inst->Label1->text().isEmpty());
    // The window still opens, with nothing in it; opening it reads nothing again.
    QWidget* up = whileModal([&] { menu.Instructions->trigger(); }, [](QWidget*) {});
    EXPECT_EQ(up, menu.Inst);
    EXPECT_EQ(none.messages.size(), 2);
}

TEST_F(HelpWindowsTest, OnlyTheMissingFileIsReported) {
    writeFile(dir.filePath("instruct.doc"), "First line\n  second, indented\n\nfourth\n");
    RecordedSources some(dir.path());
    HelpMenu menu(window.menuBar(), &window, some.sources);
    ASSERT_EQ(some.messages.size(), 1);
    EXPECT_TRUE(some.messages[0].startsWith("Error Loading QuISpIns.doc: "));
    // Shown unchanged, line by line, blanks and empty lines kept.
    const QTextDocument* doc = menu.Inst->Memo1->document();
    EXPECT_EQ(doc->findBlockByNumber(0).text(), "First line");
    EXPECT_EQ(doc->findBlockByNumber(1).text(), "  second, indented");
    EXPECT_EQ(doc->findBlockByNumber(2).text(), "");
    EXPECT_EQ(doc->findBlockByNumber(3).text(), "fourth");
    EXPECT_EQ(menu.Inst->Label1->text(), "instruct.doc");
    EXPECT_TRUE(menu.QuISpInst->Label1->text().isEmpty());
}

TEST_F(HelpWindowsTest, TheProgramsErrorBoxShowsTheMessageAndStartUpGoesOn) {
    QStringList boxes;
    // The box is modal: read and answer it from the event loop it runs.
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(5, answer);
            return;
        }
        boxes << box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    };
    QTimer::singleShot(0, answer);
    HelpSources program{{dir.path().toStdString()}, showHelpErrorBox};
    TInst inst(program, &window);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], "Error Loading instruct.doc: No such file or directory");
    EXPECT_EQ(inst.windowTitle(), "Instructions");
}

TEST_F(HelpWindowsTest, AFileFarTooLargeForHelpIsRefused) {
    writeFile(dir.filePath("instruct.doc"), QByteArray(5 * 1024 * 1024, 'x'));
    RecordedSources big(dir.path());
    TInst inst(big.sources);
    ASSERT_EQ(big.messages.size(), 1);
    EXPECT_EQ(big.messages[0], "Error Loading instruct.doc: File too large");
    EXPECT_TRUE(inst.Memo1->toPlainText().isEmpty());
}

// The files this project ships, found where the program finds them.
TEST_F(HelpWindowsTest, TheShippedTextsAreShownByTheirMenuItems) {
    RecordedSources shipped{QString()};
    shipped.sources.dirs = programHelpSources().dirs;
    HelpMenu menu(window.menuBar(), &window, shipped.sources);
    ASSERT_TRUE(shipped.messages.isEmpty()) << shipped.messages.join('\n').toStdString();

    struct Row {
        QAction* item;
        HelpWindow* window;
        const char* caption;
        const char* file;
        const char* mentions;
    };
    const Row rows[] = {
        {menu.Instructions, menu.Inst, "Instructions", "instruct.doc", "DynamicVari"},
        {menu.SpecInstr, menu.QuISpInst, "Quarn Special Instructions", "QuISpIns.doc",
         "Erie Triplex"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        EXPECT_EQ(row.window->windowTitle(), row.caption);
        EXPECT_EQ(row.window->Label1->text(), row.file);
        EXPECT_TRUE(row.window->Memo1->isReadOnly());
        const QString text = row.window->Memo1->toPlainText();
        EXPECT_TRUE(text.contains(row.mentions));
        // Plain text for a fixed-pitch box: no line wider than 79 characters, no tabs.
        const QStringList lines = text.split('\n');
        EXPECT_GT(lines.size(), 100);
        for (int i = 0; i < lines.size(); ++i) {
            EXPECT_LT(lines[i].size(), 80) << "line " << i + 1;
            EXPECT_FALSE(lines[i].contains('\t')) << "line " << i + 1;
        }
        bool shownWithText = false;
        QWidget* up = whileModal([&] { row.item->trigger(); }, [&](QWidget* w) {
            shownWithText = w->isVisible() && !row.window->Memo1->toPlainText().isEmpty();
        });
        EXPECT_EQ(up, row.window);
        EXPECT_TRUE(shownWithText);
    }
    // The menu names its items as the program always did.
    EXPECT_EQ(menu.Help->title(), "&Help");
    EXPECT_EQ(menu.Instructions->text(), "&Instructions");
    EXPECT_EQ(menu.SpecInstr->text(), "Instructions&Special");
    EXPECT_EQ(menu.About1->text(), "&About");
}

TEST_F(HelpWindowsTest, TheAboutBoxHasItsEightLinesAndClosesWithOK) {
    RecordedSources none(dir.path());
    HelpMenu menu(window.menuBar(), &window, none.sources);
    TAboutBox* box = menu.AboutBox;
    EXPECT_EQ(box->windowTitle(), "About These Programs");
    QStringList shown;
    for (int i = 1; i <= 8; ++i) {
        auto* label = box->findChild<QLabel*>(QStringLiteral("Label%1").arg(i));
        ASSERT_NE(label, nullptr) << i;
        shown << label->text();
    }
    EXPECT_EQ(box->findChild<QLabel*>("Label9"), nullptr);
    EXPECT_TRUE(shown[0].startsWith("quarngear "));
    EXPECT_EQ(shown[5], "Comments to");
    EXPECT_TRUE(shown[6].contains("quarngear project"));
    EXPECT_TRUE(shown[7].contains("issue tracker"));

    bool closedByOK = false;
    QTimer::singleShot(0, [&] {
        if (QApplication::activeModalWidget() != box) return;
        QTest::mouseClick(box->OKButton, Qt::LeftButton);
        closedByOK = !box->isVisible();
        if (!closedByOK) box->reject();
    });
    menu.About1->trigger();
    EXPECT_TRUE(closedByOK);
}

}  // namespace
}  // namespace quarn
