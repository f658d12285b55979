// The instruction windows and the reading of their text files.
#include "help_window.h"

#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <cerrno>
#include <system_error>

#include "platform/resources.h"

namespace quarn {
namespace {

// A help text is a few pages; anything far larger is not one, and reading it whole
// would only tie up the program at start-up.
constexpr qint64 MaxHelpFileBytes = 4 * 1024 * 1024;

// The text, or the reason it could not be had in the words of the system.
struct HelpText {
    bool ok = false;
    QString text;
    QString error;
};

HelpText readHelpFile(const QString& fileName, const std::vector<std::string>& dirs) {
    const std::string path = findResourceIn(fileName.toStdString(), dirs);
    // Found nowhere: said as the system says it of a file that is not there.
    if (path.empty())
        return {false, {}, QString::fromStdString(std::generic_category().message(ENOENT))};
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {false, {}, file.errorString()};
    if (file.size() > MaxHelpFileBytes) return {false, {}, QStringLiteral("File too large")};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return {false, {}, file.errorString()};
    return {true, QString::fromUtf8(bytes), {}};
}

}  // namespace

void showHelpErrorBox(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QStringLiteral("Error"), message, QMessageBox::Ok);
}

HelpSources programHelpSources() { return {resourceSearchDirs(), showHelpErrorBox}; }

HelpWindow::HelpWindow(const char* objectName, const QString& caption, const QString& fileName,
                       const HelpSources& sources, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(caption);
    setModal(true);
    resize(640, 560);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setToolTip(fileName);
    Memo1->setReadOnly(true);
    // Read-only, but the keyboard still scrolls and selects for copying.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The texts are laid out in columns with blanks: one line each, a fixed pitch.
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo1->setAccessibleName(caption);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Label1);
    layout->addWidget(Memo1, 1);
    FormCreate(sources);
}

bool HelpWindow::FormCreate(const HelpSources& sources) {
    const QString name = Memo1->toolTip();
    const HelpText read = readHelpFile(name, sources.dirs);
    if (!read.ok) {
        if (sources.errorBox)
            sources.errorBox(this, QStringLiteral("Error Loading ") + name + QStringLiteral(": ") +
                                       read.error);
        return false;
    }
    Memo1->setPlainText(read.text);
    Label1->setText(name);
    return true;
}

TInst::TInst(const HelpSources& sources, QWidget* parent)
    : HelpWindow("TInst", QStringLiteral("Instructions"), QStringLiteral("instruct.doc"), sources,
                 parent) {}

TQuISpInst::TQuISpInst(const HelpSources& sources, QWidget* parent)
    : HelpWindow("TQuISpInst", QStringLiteral("Quarn Special Instructions"),
                 QStringLiteral("QuISpIns.doc"), sources, parent) {}

}  // namespace quarn
