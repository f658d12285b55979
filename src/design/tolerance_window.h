// "Tolerance Study": how precisely each part must be made. The tolerance of every
// dimension (one figure for all, or each its own, kept as a CSV beside the design),
// many gears drawn within them and read at the working points, the spread of the
// cut-off difference and leads as a table and a histogram, and which tolerances to
// tighten first.
#pragma once

#include <QDialog>
#include <QImage>
#include <optional>

#include "design/design_host.h"
#include "model/gear_model.h"
#include "model/tolerance.h"
#include "platform/picture_actions.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace quarn {

class DesignWatch;
class StudyRunner;
class ToleranceTableEditor;

class ToleranceWindow : public QDialog {
    Q_OBJECT
public:
    ToleranceWindow(GearModel& model, DesignHost host, QWidget* parent = nullptr);
    ~ToleranceWindow() override;

    // The Run button: the study on a copy of the design as it stands.
    void RunClick();
    // The options as the controls stand, or the reason they cannot run.
    std::optional<ToleranceOptions> chosenOptions(QString& problem) const;
    // Writes or reads the tolerance table as CSV; the message of a failure, else "".
    QString saveTolerances(const QString& path) const;
    QString loadTolerances(const QString& path);
    // Where Save and Load look first: beside the design's file, named after it.
    QString defaultTolerancePath() const;

    const std::optional<ToleranceResult>& result() const { return result_; }
    StudyRunner& runner() { return *runner_; }
    DesignWatch& watch() { return *watch_; }
    // The histogram of the selected result row, as shown and as Save Picture draws it.
    const QImage& histogramImage() const { return histogram_; }
    PictureSource picture() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showResult();
    void showSelected();
    // The outcome and point of the selected result row.
    std::optional<std::pair<int, int>> selectedOutcome() const;

    GearModel& model_;
    DesignHost host_;
    std::optional<ToleranceResult> result_;
    QImage histogram_;
    ToleranceTableEditor* tolerances_ = nullptr;
    QSpinBox* samples_ = nullptr;
    QLineEdit* seed_ = nullptr;
    QComboBox* distribution_ = nullptr;
    QLineEdit* points_ = nullptr;
    QLineEdit* cutOffLimit_ = nullptr;
    QLineEdit* leadLow_ = nullptr;
    QLineEdit* leadHigh_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QTableWidget* results_ = nullptr;
    QTableWidget* shares_ = nullptr;
    QLabel* histogramLabel_ = nullptr;
    StudyRunner* runner_ = nullptr;
    DesignWatch* watch_ = nullptr;
};

}  // namespace quarn
