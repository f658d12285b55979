// The reverse-arm position dialog (TSetRevArm, "Set Reverse Arm Positions"): up to nine
// reverse-arm settings that the sine, oval and steam diagrams draw one curve each for,
// and the vertical scale of the sine and oval diagrams. The labels are drawn on the
// dialog; the fields are plain number fields that take their value when left.
#pragma once

#include <QDialog>
#include <array>

#include "model/gear_model.h"

class QLineEdit;
class QPushButton;

namespace quarn {

class TSetRevArm : public QDialog {
    Q_OBJECT
public:
    TSetRevArm(GearModel& model, QWidget* parent);

    // Opens the dialog modally: FormActivate's drawing, the focus on Close1.
    int exec() override;

    // Edit1..Edit9 hold positions 1..9, Edit10 the vertical scale.
    QLineEdit* edit(int n) const { return Edit[std::size_t(n)]; }
    QPushButton* Close1 = nullptr;

    // Which "Rev Arm Position  n" labels are drawn (entry n for position n).
    const std::array<bool, 10>& positionLabels() const { return labelShown_; }

    // The position list made a leading run of non-empty entries (and its count set),
    // the fields filled and shown to match, the labels drawn, the focus on Close1.
    void DrawRevArmSet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void done(int result) override;

private:
    void FormActivate();
    // The key filter of field n; true swallows the key.
    bool EditKeyPress(int n, QKeyEvent* key);
    // Field n left: its number (the shown value itself unless edited) stored.
    void EditExit(int n);
    void Close1Click();
    void FormClose();
    void showText(int n, float value);

    GearModel& model_;
    std::array<QLineEdit*, 11> Edit{};  // Edit1..Edit10; entry 0 unused
    std::array<bool, 10> labelShown_{};
};

}  // namespace quarn
