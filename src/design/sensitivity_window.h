// "Sensitivity": every dimension changed a little either way, ranked by how far it moves
// the cut-offs and leads — the dimensions a builder must hold closest.
#pragma once

#include <QDialog>

#include "model/gear_model.h"
#include "model/sensitivity.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace quarn {

class DesignWatch;
class StudyRunner;

class SensitivityWindow : public QDialog {
    Q_OBJECT
public:
    explicit SensitivityWindow(GearModel& model, QWidget* parent = nullptr);
    ~SensitivityWindow() override;

    // The Run button: the study on a copy of the design as it stands.
    void RunClick();
    const SensitivityResult& result() const { return result_; }
    StudyRunner& runner() { return *runner_; }
    DesignWatch& watch() { return *watch_; }

private:
    void showResult();

    GearModel& model_;
    SensitivityResult result_;
    QLineEdit* delta_ = nullptr;
    QComboBox* solver_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
    StudyRunner* runner_ = nullptr;
    DesignWatch* watch_ = nullptr;
};

}  // namespace quarn
