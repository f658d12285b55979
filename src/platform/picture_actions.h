// Saving and printing a window's picture: the "Save Picture..." and "Print..." items of
// the main window and of every diagram window.
#pragma once

#include <QString>
#include <string>

#include "platform/picture_export.h"

class QAction;
class QFileDialog;
class QPrinter;
class QWidget;

namespace quarn {

// A picture of a fixed size and the way to draw it afresh on any canvas.
struct PictureSource {
    int width = 0;
    int height = 0;
    DrawPicture draw;
    std::string designName;  // for the title block
    // The picture without what only the window needs (the frame's bar captions and
    // undo line); empty when the picture has nothing of the kind.
    DrawPicture drawingOnly;
};

// The save dialog: PNG, SVG and PDF filters, asking before it overwrites a file, and
// below them the choices of PictureOptions: "PictureScale" (a spin box, 1 to 8, for a
// PNG), "PictureTitleBlock" (a check box) and, when `drawingOnly` is offered,
// "PictureDrawingOnly" (a check box, cropping to the drawing).
QFileDialog* makeSavePictureDialog(QWidget* parent, bool drawingOnly = false);
// What the dialog's choices ask for.
struct SaveChoices {
    PictureOptions options;
    bool drawingOnly = false;
};
SaveChoices saveChoices(const QFileDialog* dialog);

// Asks for a file name, writes the picture there and shows an error box with the
// message when it cannot. Returns the message ("" when saved or cancelled).
QString savePictureWithDialog(QWidget* parent, const PictureSource& picture);

// Draws the picture on the printer's page as vectors at the printer's resolution, with
// the title block beneath, as large as the page allows and kept in proportion; a
// picture with a drawing-only form prints that, cut to what is drawn. Returns an error
// message, or "" when the page was printed.
QString printPicture(QPrinter& printer, const PictureSource& picture);
// Asks for the printer in the print dialog and prints; a failure is shown in a box.
void printPictureWithDialog(QWidget* parent, const PictureSource& picture);

// "Save Picture..." and "Print..." (Ctrl+P), made as children of `parent`; the window
// connects them.
QAction* makeSavePictureAction(QWidget* parent);
QAction* makePrintAction(QWidget* parent);

}  // namespace quarn
