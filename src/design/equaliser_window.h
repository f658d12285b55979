// "Equaliser": up to four dimensions searched for a gear that meets the designer's goals
// at the working points, within limits; the result shown before and after, then applied
// as typed changes or discarded.
#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "design/design_host.h"
#include "model/equaliser.h"
#include "model/gear_model.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
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
    // Ranks the dimensions by how they move the goals at the points as the fields stand,
    // offers those that move them and chooses the four that move them most.
    void OfferClick();
    // The options as the controls stand, or the reason they cannot run.
    std::optional<EqualiserOptions> chosenOptions(QString& problem) const;
    const std::optional<EqualiserResult>& result() const { return result_; }
    const std::vector<DimensionEffect>& offered() const { return offered_; }
    StudyRunner& runner() { return *runner_; }
    DesignWatch& watch() { return *watch_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct DimensionRow {
        QComboBox* dim = nullptr;
        QLineEdit* low = nullptr;
        QLineEdit* high = nullptr;
    };
    void buildDimensionRows(QGridLayout* form);
    void fillBounds(int row);
    void showOffered(const DimensionRanking& ranking);
    // The points and goals as the fields stand, or the reason they do not read.
    std::optional<std::pair<std::vector<WorkingPoint>, std::vector<EqualiserGoal>>> pointsAndGoals(
        QString& problem) const;
    void setResult(std::optional<EqualiserResult> r);
    void showProgressDone(int evaluations);

    GearModel& model_;
    DesignHost host_;
    std::optional<EqualiserOptions> options_;
    std::optional<EqualiserResult> result_;
    std::vector<DimensionEffect> offered_;
    // The last answer and the design it was found for: a search of the same design
    // starts one run there, so more dimensions never end worse.
    std::vector<DimensionValue> lastAnswer_;
    std::vector<float> lastAnswerKey_;
    // The design the shown result was found for: Apply writes it onto that design only.
    std::vector<float> resultKey_;
    std::array<DimensionRow, MaxEqualiserDimensions> rows_{};
    QLineEdit* range_ = nullptr;
    QLineEdit* points_ = nullptr;
    QCheckBox* cutOffEqual_ = nullptr;
    QLineEdit* cutOffEqualWeight_ = nullptr;
    QCheckBox* leadEqual_ = nullptr;
    QLineEdit* leadEqualWeight_ = nullptr;
    QLineEdit* moreGoals_ = nullptr;
    QLineEdit* leadLow_ = nullptr;
    QLineEdit* leadHigh_ = nullptr;
    QLineEdit* lapBand_ = nullptr;
    QLineEdit* openingLoss_ = nullptr;
    QSpinBox* maxEvals_ = nullptr;
    QPushButton* offer_ = nullptr;
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
