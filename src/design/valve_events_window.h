// "Valve Events": the events of every notch of the reverse arm as a table and a plot of
// the front and rear cut-off, refreshed whenever the design changes.
#pragma once

#include <QDialog>
#include <QImage>
#include <memory>
#include <vector>

#include "model/event_report.h"
#include "model/gear_model.h"
#include "platform/picture_actions.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QComboBox;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace quarn {

class CutOffPlotView;
class StudyRunner;

class ValveEventsWindow : public QDialog {
    Q_OBJECT
public:
    explicit ValveEventsWindow(GearModel& model, QWidget* parent = nullptr);
    ~ValveEventsWindow() override;

    // Sweeps the settings again now (the Refresh button; also when the design changed).
    void refresh();
    const std::vector<GearSettingEvents>& events() const { return events_; }
    StudyRunner& runner() { return *runner_; }
    // The plot at the size it was laid out for, as saved and printed.
    const QImage& plotImage() const { return plot_; }
    // The plot as the window shows it, at the pane's size.
    const CutOffPlotView& plotView() const { return *plotView_; }
    // The cut-off plot as "Save Picture..." and "Print..." draw it afresh.
    PictureSource picture() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void watchDesign();
    void showEvents();
    void CopyClick();

    GearModel& model_;
    std::vector<GearSettingEvents> events_;
    std::vector<float> key_;
    bool stale_ = false;  // the design changed while a sweep was running
    QImage plot_;
    QSpinBox* steps_ = nullptr;
    QComboBox* solver_ = nullptr;
    QTableWidget* table_ = nullptr;
    CutOffPlotView* plotView_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* watch_ = nullptr;
    StudyRunner* runner_ = nullptr;
};

}  // namespace quarn
