// The three file dialogs of the design files: save as, open, and open a DOS file.
// They are Qt's own dialogs (not the desktop's), so they look and behave the same on
// every machine and a test can answer them.
#pragma once

#include <QString>
#include <string_view>

class QFileDialog;
class QWidget;

namespace quarn {

// A filter written as the program always wrote it, "Text|pattern|Text|pattern", as
// Qt's "Text (pattern);;..." form. A text that already ends in its pattern in
// parentheses keeps it once; blanks around a text are dropped; "*.*" becomes "*".
QString dialogFilter(std::string_view barSeparated);

// Made but not shown, so the caller (or a test) can look at it first.
QFileDialog* makeSaveDimensionsDialog(QWidget* parent);  // "Save As.....", asks to overwrite
QFileDialog* makeOpenDimensionsDialog(QWidget* parent);  // an existing .qgd
QFileDialog* makeOpenDosDialog(QWidget* parent);         // a .qgk, which need not exist

// Runs a dialog made above; the chosen path, or empty when it was cancelled.
QString runFileDialog(QFileDialog* dialog);

}  // namespace quarn
