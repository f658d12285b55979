// "Equaliser": up to four dimensions searched for equal steam at both ends of the
// cylinder; the result shown before and after, then applied as typed changes or
// discarded.
#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "design/design_host.h"
#include "model/equaliser.h"
#include "model/gear_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace quarn {

class DesignWatch;
class StudyRunner;

class EqualiserWindow : public QDialog {
    Q_OBJECT
public:
    EqualiserWindow(GearModel& model, DesignHost host, QWidget* parent = nullptr);
    ~EqualiserWindow() override;

    void SearchClick();
    void ApplyClick();
    void DiscardClick();
    // The options as the controls stand, or the reason they cannot run.
    std::optional<EqualiserOptions> chosenOptions(QString& problem) const;
    const std::optional<EqualiserResult>& result() const { return result_; }
    StudyRunner& runner() { return *runner_; }
    DesignWatch& watch() { return *watch_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void offerSlots();
    void setResult(std::optional<EqualiserResult> r);
    void showProgressDone(int evaluations);

    GearModel& model_;
    DesignHost host_;
    std::optional<EqualiserOptions> options_;
    std::optional<EqualiserResult> result_;
    std::array<QComboBox*, MaxEqualiserDimensions> vary_{};
    QLineEdit* range_ = nullptr;
    QCheckBox* cutOffEqual_ = nullptr;
    QLineEdit* cutOffEqualWeight_ = nullptr;
    QCheckBox* leadEqual_ = nullptr;
    QLineEdit* leadEqualWeight_ = nullptr;
    QCheckBox* cutOffTarget_ = nullptr;
    QLineEdit* cutOffTargetValue_ = nullptr;
    QLineEdit* cutOffTargetWeight_ = nullptr;
    QLineEdit* leadLow_ = nullptr;
    QLineEdit* leadHigh_ = nullptr;
    QLineEdit* lapBand_ = nullptr;
    QLineEdit* openingLoss_ = nullptr;
    QSpinBox* maxEvals_ = nullptr;
    QComboBox* solver_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* discard_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QLabel* status_ = nullptr;
    StudyRunner* runner_ = nullptr;
    DesignWatch* watch_ = nullptr;
};

}  // namespace quarn
