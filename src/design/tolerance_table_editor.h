// The tolerance of each dimension as the tolerance study's window edits it: one figure
// for all (Set All) or each its own in a table, read from and written to the CSV kept
// beside the design.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "model/gear_model.h"
#include "model/tolerance.h"

class QLineEdit;
class QTableWidget;

namespace quarn {

class ToleranceTableEditor : public QWidget {
    Q_OBJECT
public:
    // `defaultPath` says where Save and Load look first.
    ToleranceTableEditor(const GearModel& model, std::function<QString()> defaultPath, QWidget* parent);

    // The table as typed, or the sentence naming the first dimension whose figure does
    // not read.
    std::optional<ToleranceTable> table(QString& problem) const;
    void setTable(const ToleranceTable& t);
    // Shows each dimension's value as the design has it now.
    void showValues();
    // Writes or reads the table as CSV; the message of a failure, else "".
    QString save(const QString& path) const;
    QString load(const QString& path);

signals:
    // What a button did or why it could not, for the window's status line.
    void said(const QString& text);

private:
    void SetAllClick();
    void SaveClick();
    void LoadClick();

    const GearModel& model_;
    std::function<QString()> defaultPath_;
    QLineEdit* all_ = nullptr;
    QTableWidget* table_ = nullptr;
};

}  // namespace quarn
