// Small helpers the design windows share: read-only table cells, the table as text
// for the clipboard, and buttons that carry their hint.
#pragma once

#include <QString>
#include <string>

class QPushButton;
class QTableWidget;
class QWidget;

namespace quarn {

QString qText(const std::string& s);
// Sets cell (row, column) to read-only text, right-aligned when `number`.
void setCell(QTableWidget* t, int row, int column, const QString& text, bool number = true);
// The header and every row, cells separated by tabs: pastes into a spreadsheet.
QString tableAsText(const QTableWidget* t);
// A button found by `name`, its hint as tooltip and status-bar text.
QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& hint);

}  // namespace quarn
