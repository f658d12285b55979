// Table cells and clipboard text of the design windows.
#include "table_text.h"

#include <QPushButton>
#include <QTableWidget>

namespace quarn {

QString qText(const std::string& s) { return QString::fromStdString(s); }

void setCell(QTableWidget* t, int row, int column, const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text.trimmed());
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(number ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    t->setItem(row, column, item);
}

QString tableAsText(const QTableWidget* t) {
    QStringList lines, cells;
    for (int c = 0; c < t->columnCount(); ++c)
        cells << (t->horizontalHeaderItem(c) ? t->horizontalHeaderItem(c)->text() : QString());
    lines << cells.join(QLatin1Char('\t'));
    for (int r = 0; r < t->rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < t->columnCount(); ++c) cells << (t->item(r, c) ? t->item(r, c)->text() : QString());
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& hint) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setStatusTip(hint);
    return b;
}

}  // namespace quarn
