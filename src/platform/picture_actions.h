// Saving and printing a window's picture: the "Save Picture..." and "Print..." items of
// the main window and of every diagram window.
#pragma once

#include <QString>

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
};

// The save dialog: PNG, SVG and PDF filters, asking before it overwrites a file.
QFileDialog* makeSavePictureDialog(QWidget* parent);

// Asks for a file name, writes the picture there and shows an error box with the
// message when it cannot. Returns the message ("" when saved or cancelled).
QString savePictureWithDialog(QWidget* parent, const PictureSource& picture);

// Draws the picture on the printer's page, as large as the page allows and kept in
// proportion. Returns an error message, or "" when the page was printed.
QString printPicture(QPrinter& printer, const PictureSource& picture);
// Asks for the printer in the print dialog and prints; a failure is shown in a box.
void printPictureWithDialog(QWidget* parent, const PictureSource& picture);

// "Save Picture..." and "Print..." (Ctrl+P), made as children of `parent`; the window
// connects them.
QAction* makeSavePictureAction(QWidget* parent);
QAction* makePrintAction(QWidget* parent);

}  // namespace quarn
