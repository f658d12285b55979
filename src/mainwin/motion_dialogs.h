// The three small dialogs of the motion controls: reverse-arm position, driver angle
// and step angle. Each shows its limits, takes one number and hands it back on OK.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quarn {

class NumberDialog : public QDialog {
    Q_OBJECT
public:
    NumberDialog(const QString& title, int labelCount, bool allowMinus, QWidget* parent);

    QLabel* label(int i) const { return labels_.at(i); }  // Label2.. in the program's order
    QLineEdit* Edit1 = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* Cancel = nullptr;

    // The value shown (filled with showNumber), unrounded while the field is untouched;
    // a typed text is read as the program always read it (its leading number).
    double value() const;

private:
    QList<QLabel*> labels_;
};


}  // namespace quarn
