// The save and print steps of a window's picture.
#include "picture_actions.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <memory>

#include "platform/file_dialogs.h"
#include "platform/qt_canvas.h"

namespace quarn {

QFileDialog* makeSavePictureDialog(QWidget* parent) {
    auto* d = new QFileDialog(parent, QStringLiteral("Save Picture"));
    d->setObjectName(QStringLiteral("SavePictureDialog"));
    // Qt's own dialog, like the design files' dialogs, so a test can answer it.
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setAcceptMode(QFileDialog::AcceptSave);
    d->setFileMode(QFileDialog::AnyFile);
    d->setNameFilters({QStringLiteral("PNG picture (*.png)"), QStringLiteral("SVG drawing (*.svg)"),
                       QStringLiteral("PDF document (*.pdf)")});
    // A name typed without an ending takes the one of the chosen filter.
    d->setDefaultSuffix(QStringLiteral("png"));
    QObject::connect(d, &QFileDialog::filterSelected, d, [d](const QString& filter) {
        const qsizetype dot = filter.indexOf(QStringLiteral("*."));
        if (dot >= 0) d->setDefaultSuffix(filter.mid(dot + 2, 3));
    });
    return d;
}

QString savePictureWithDialog(QWidget* parent, const PictureSource& picture) {
    const std::unique_ptr<QFileDialog> dialog(makeSavePictureDialog(parent));
    const QString path = runFileDialog(dialog.get());
    if (path.isEmpty()) return {};
    const QString message = QString::fromStdString(
        savePicture(path.toStdString(), picture.width, picture.height, picture.draw));
    if (!message.isEmpty()) QMessageBox::critical(parent, QStringLiteral("Save Picture"), message);
    return message;
}

QString printPicture(QPrinter& printer, const PictureSource& picture) {
    QPainter painter;
    if (!painter.begin(&printer)) return QStringLiteral("Cannot print: the printer did not start");
    // The page's printable part, in the printer's own pixels; the picture is scaled to
    // fill it in one direction and centred in the other.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(double(page.width()) / picture.width,
                                  double(page.height()) / picture.height);
    const double left = (page.width() - picture.width * scale) / 2;
    const double top = (page.height() - picture.height * scale) / 2;
    painter.translate(left, top);
    painter.scale(scale, scale);
    painter.setClipRect(0, 0, picture.width, picture.height);
    {
        QtCanvas canvas(painter, picture.width, picture.height);
        picture.draw(canvas);
    }
    if (!painter.end()) return QStringLiteral("Cannot print: the page was not finished");
    return {};
}

void printPictureWithDialog(QWidget* parent, const PictureSource& picture) {
    QPrinter printer(QPrinter::HighResolution);
    // A wide picture is printed across the page.
    printer.setPageOrientation(picture.width > picture.height ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() != QDialog::Accepted) return;
    const QString message = printPicture(printer, picture);
    if (!message.isEmpty()) QMessageBox::critical(parent, QStringLiteral("Print"), message);
}

QAction* makeSavePictureAction(QWidget* parent) {
    auto* a = new QAction(QStringLiteral("Save &Picture..."), parent);
    a->setObjectName(QStringLiteral("SavePicture"));
    const QString hint = QStringLiteral("Save the picture as PNG, SVG or PDF");
    a->setToolTip(hint);
    a->setStatusTip(hint);
    return a;
}

QAction* makePrintAction(QWidget* parent) {
    auto* a = new QAction(QStringLiteral("P&rint..."), parent);
    a->setObjectName(QStringLiteral("PrintPicture"));
    a->setShortcut(QKeySequence::Print);
    const QString hint = QStringLiteral("Print the picture");
    a->setToolTip(hint);
    a->setStatusTip(hint);
    return a;
}

}  // namespace quarn
