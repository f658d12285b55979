// The three small dialogs of the motion controls: reverse-arm position, driver angle
// and step angle. Each shows its limits, takes one number and hands it back on OK; the
// reverse-arm one also takes a cut-off and finds the setting that gives it.
#pragma once

#include <QDialog>
#include <optional>

#include "model/cut_off_finder.h"
#include "model/gear_model.h"

class QComboBox;
class QGridLayout;
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

protected:
    QGridLayout* grid_ = nullptr;

private:
    QList<QLabel*> labels_;
};

// "Reverse Arm Position": the position by number, as always, or a cut-off: forward or
// reverse, of the front end, the rear end or their mean. OK with a cut-off typed asks
// the cut-off finder for the setting; one out of the gear's reach keeps the dialog open
// and says what the gear can give.
class RevArmDialog : public NumberDialog {
    Q_OBJECT
public:
    RevArmDialog(const GearModel& model, QWidget* parent);

    QLineEdit* CutOffEdit = nullptr;
    QComboBox* GearChoice = nullptr;  // Fwd, Rev
    QComboBox* EndChoice = nullptr;   // Front, Rear, Mean
    QLabel* Problem = nullptr;

    // Each opening starts from the position: the cut-off field empty, no problem shown.
    // The gear and end chosen stay as they were left.
    void clearCutOff();
    // The setting the finder gave for the cut-off typed, once OK has taken it; empty
    // when the position field is to be used.
    const std::optional<double>& foundSetting() const { return found_; }

    void accept() override;

private:
    std::optional<CutOffAsk> cutOffAsked() const;

    const GearModel& model_;
    std::optional<double> found_;
};

}  // namespace quarn
