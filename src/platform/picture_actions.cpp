// The save and print steps of a window's picture.
#include "picture_actions.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <algorithm>
#include <memory>

#include "platform/file_dialogs.h"

namespace quarn {
namespace {

// Qt's own save dialog lays itself out on a grid; the choices take a row below its
// file type box.
void addPictureChoices(QFileDialog* d, bool drawingOnly) {
    auto* grid = qobject_cast<QGridLayout*>(d->layout());
    if (!grid) return;
    auto* row = new QWidget(d);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scale = new QSpinBox(row);
    scale->setObjectName(QStringLiteral("PictureScale"));
    scale->setRange(MinPictureScale, MaxPictureScale);
    scale->setSuffix(QStringLiteral(" x"));
    scale->setToolTip(QStringLiteral("Pixels of a PNG per pixel of the picture; "
                                     "SVG and PDF are drawn as lines and texts at any size"));
    auto* scaleLabel = new QLabel(QStringLiteral("PNG &scale:"), row);
    scaleLabel->setBuddy(scale);
    auto* title = new QCheckBox(QStringLiteral("&Title block"), row);
    title->setObjectName(QStringLiteral("PictureTitleBlock"));
    title->setToolTip(QStringLiteral("A line under the picture with the design's name, "
                                     "the date and the program's version"));
    layout->addWidget(scaleLabel);
    layout->addWidget(scale);
    layout->addSpacing(16);
    layout->addWidget(title);
    if (drawingOnly) {
        auto* only = new QCheckBox(QStringLiteral("&Drawing only"), row);
        only->setObjectName(QStringLiteral("PictureDrawingOnly"));
        only->setToolTip(QStringLiteral("Without the captions of the window's bars and the "
                                        "undo line, cut to what is drawn"));
        layout->addSpacing(16);
        layout->addWidget(only);
    }
    layout->addStretch(1);
    grid->addWidget(row, grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QFileDialog* makeSavePictureDialog(QWidget* parent, bool drawingOnly) {
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
    addPictureChoices(d, drawingOnly);
    return d;
}

SaveChoices saveChoices(const QFileDialog* dialog) {
    SaveChoices c;
    if (const auto* scale = dialog->findChild<QSpinBox*>(QStringLiteral("PictureScale")))
        c.options.scale = scale->value();
    if (const auto* title = dialog->findChild<QCheckBox*>(QStringLiteral("PictureTitleBlock")))
        c.options.titleBlock = title->isChecked();
    if (const auto* only = dialog->findChild<QCheckBox*>(QStringLiteral("PictureDrawingOnly")))
        c.drawingOnly = only->isChecked();
    c.options.cropToDrawing = c.drawingOnly;
    return c;
}

QString savePictureWithDialog(QWidget* parent, const PictureSource& picture) {
    const std::unique_ptr<QFileDialog> dialog(
        makeSavePictureDialog(parent, static_cast<bool>(picture.drawingOnly)));
    const QString path = runFileDialog(dialog.get());
    if (path.isEmpty()) return {};
    SaveChoices choices = saveChoices(dialog.get());
    choices.options.designName = picture.designName;
    const DrawPicture& draw = choices.drawingOnly ? picture.drawingOnly : picture.draw;
    const QString message = QString::fromStdString(
        savePicture(path.toStdString(), picture.width, picture.height, draw, choices.options));
    if (!message.isEmpty()) QMessageBox::critical(parent, QStringLiteral("Save Picture"), message);
    return message;
}

QString printPicture(QPrinter& printer, const PictureSource& picture) {
    QPainter painter;
    if (!painter.begin(&printer)) return QStringLiteral("Cannot print: the printer did not start");
    // A page is for reading away from the window: the drawing alone, when the picture
    // has notes only the window needs, and the title block.
    PictureOptions options;
    options.titleBlock = true;
    options.designName = picture.designName;
    options.cropToDrawing = static_cast<bool>(picture.drawingOnly);
    const DrawPicture& draw = picture.drawingOnly ? picture.drawingOnly : picture.draw;
    const PictureLayout layout = layOutPicture(picture.width, picture.height, draw, options);
    // The page's printable part, in the printer's own pixels; the picture is scaled to
    // fill it in one direction and centred in the other, and drawn at that scale.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(double(page.width()) / layout.width,
                                  double(page.height()) / layout.totalHeight());
    painter.translate((page.width() - layout.width * scale) / 2,
                      (page.height() - layout.totalHeight() * scale) / 2);
    paintPicture(painter, scale, layout, picture.width, picture.height, draw, options);
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
