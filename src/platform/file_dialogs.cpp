#include "file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace quarn {

QString dialogFilter(std::string_view barSeparated) {
    const QStringList parts = QString::fromUtf8(barSeparated.data(), qsizetype(barSeparated.size()))
                                  .split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i].trimmed();
        const QString written = parts[i + 1].trimmed();
        const QString writtenTail = QStringLiteral("(") + written + QStringLiteral(")");
        if (text.endsWith(writtenTail)) text = text.chopped(writtenTail.size()).trimmed();
        // "*.*" meant every file where the filters were first written; here it would
        // hide every name without a dot.
        const QString pattern = written == QStringLiteral("*.*") ? QStringLiteral("*") : written;
        filters << text + QStringLiteral(" (") + pattern + QStringLiteral(")");
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

QFileDialog* makeDialog(QWidget* parent, QFileDialog::AcceptMode accept, QFileDialog::FileMode mode,
                        const QString& title, const char* suffix, std::string_view filter) {
    auto* d = new QFileDialog(parent, title);
    d->setAttribute(Qt::WA_DeleteOnClose, false);
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setAcceptMode(accept);
    d->setFileMode(mode);
    d->setDefaultSuffix(QString::fromLatin1(suffix));
    d->setNameFilter(dialogFilter(filter));
    return d;
}

}  // namespace

QFileDialog* makeSaveDimensionsDialog(QWidget* parent) {
    // Qt asks before overwriting unless told not to.
    return makeDialog(parent, QFileDialog::AcceptSave, QFileDialog::AnyFile,
                      QStringLiteral("Save As....."), "qgd",
                      "Data File (*.qgd)|*.qgd|All Files (*.*)|*.*");
}

QFileDialog* makeOpenDimensionsDialog(QWidget* parent) {
    return makeDialog(parent, QFileDialog::AcceptOpen, QFileDialog::ExistingFile, QString(), "qgd",
                      "Data File (*.qgd) |*.qgd|All Files (*.*)|*.*");
}

QFileDialog* makeOpenDosDialog(QWidget* parent) {
    // A typed name need not exist; the reader then says the file was not found.
    return makeDialog(parent, QFileDialog::AcceptOpen, QFileDialog::AnyFile, QString(), "qgk",
                      "Data Files (*.qgk)|*.qgk|All Files (*.*)|*.*");
}

QString runFileDialog(QFileDialog* dialog) {
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return dialog->selectedFiles().first();
}

}  // namespace quarn
