// The pivot data table window.
#include "data_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "model/pivot_table.h"
#include "platform/clock_text.h"

namespace quarn {
namespace {

// Times New Roman is not on a Debian desktop; Liberation Serif has the same widths.
constexpr char MemoFontFamily[] = "Liberation Serif";
constexpr int MemoFontPixels = 12;

QAction* makeAction(QObject* parent, const char* name, const char* text) {
    auto* a = new QAction(QString::fromLatin1(text), parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

TDataTable::TDataTable(GearModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("TDataTable"));
    setWindowTitle(QStringLiteral("Pivot Data Table"));
    setModal(true);
    resize(1000, 600);

    DataMemo = new QPlainTextEdit(this);
    DataMemo->setObjectName(QStringLiteral("DataMemo"));
    DataMemo->setLineWrapMode(QPlainTextEdit::NoWrap);  // one table line per line
    QFont font(QString::fromLatin1(MemoFontFamily));
    font.setPixelSize(MemoFontPixels);
    DataMemo->setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DataMemo);
    createActions();
    layout->setMenuBar(MainMenu1);
}

void TDataTable::createActions() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    Close1 = makeAction(this, "Close1", "&Close ");
    connect(Close1, &QAction::triggered, this, &TDataTable::Close1Click);
    MainMenu1->addAction(Close1);
    // Inert: its blank caption only opens a gap in the menu bar.
    spacerItem = makeAction(this, "spacerItem", "              ");
    MainMenu1->addAction(spacerItem);

    Edit1 = MainMenu1->addMenu(QStringLiteral("&Edit"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    connect(Edit1, &QMenu::aboutToShow, this, &TDataTable::Edit1Click);

    Cut1 = makeAction(this, "Cut1", "Cu&t");
    Cut1->setShortcut(QKeySequence::Cut);
    connect(Cut1, &QAction::triggered, this, &TDataTable::Cut1Click);
    Copy1 = makeAction(this, "Copy1", "&Copy");
    Copy1->setShortcut(QKeySequence::Copy);
    connect(Copy1, &QAction::triggered, this, &TDataTable::Copy1Click);
    Past1 = makeAction(this, "Past1", "&Paste");
    Past1->setShortcut(QKeySequence::Paste);
    connect(Past1, &QAction::triggered, this, &TDataTable::Past1Click);
    SelectAll1 = makeAction(this, "SelectAll1", "Select&All");
    SelectAll1->setShortcut(QKeySequence::SelectAll);
    connect(SelectAll1, &QAction::triggered, this, &TDataTable::SelectAll1Click);

    Edit1->addAction(Cut1);
    Edit1->addAction(Copy1);
    Edit1->addAction(Past1);
    Edit1->addSeparator();
    Edit1->addAction(SelectAll1);
    // The shortcuts work while the menu is closed, too.
    addActions({Cut1, Copy1, Past1, SelectAll1});
}

void TDataTable::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TDataTable::FormActivate() {
    DataMemo->clear();
    Cut1->setEnabled(false);
    Copy1->setEnabled(false);
    SelectAll1->setEnabled(true);
    const auto lines = pivotTableLines(model_, shortDateText(), longTimeText());
    std::string text;
    std::size_t size = 0;
    for (const auto& line : lines) size += line.size() + 1;
    text.reserve(size);
    for (const auto& line : lines) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    DataMemo->setPlainText(QString::fromStdString(text));
}

void TDataTable::Close1Click() { close(); }

void TDataTable::Edit1Click() {
    if (DataMemo->textCursor().hasSelection()) {
        Cut1->setEnabled(true);
        Copy1->setEnabled(true);
    }
}

void TDataTable::Cut1Click() {
    DataMemo->cut();
    SelectAll1->setEnabled(true);
}

void TDataTable::Copy1Click() {
    DataMemo->copy();
    SelectAll1->setEnabled(true);
}

void TDataTable::Past1Click() { DataMemo->paste(); }

void TDataTable::SelectAll1Click() {
    DataMemo->selectAll();
    Cut1->setEnabled(true);
    Copy1->setEnabled(true);
    SelectAll1->setEnabled(false);
}

}  // namespace quarn
