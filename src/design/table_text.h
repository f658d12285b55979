// Small helpers the design windows share: read-only table cells and the table as text
// for the clipboard.
#pragma once

#include <QString>
#include <string>

class QTableWidget;

namespace quarn {

QString qText(const std::string& s);
// Sets cell (row, column) to read-only text, right-aligned when `number`.
void setCell(QTableWidget* t, int row, int column, const QString& text, bool number = true);
// The header and every row, cells separated by tabs: pastes into a spreadsheet.
QString tableAsText(const QTableWidget* t);

}  // namespace quarn
