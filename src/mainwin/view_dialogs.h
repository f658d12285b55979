// The two dialogs of the view: the reference points typed as numbers, and the zoom
// factor of the dimension graphic. Each button applies its rule to the model and
// closes the dialog; closing it any other way changes nothing.
#pragma once

#include <QDialog>

#include "model/gear_model.h"

class QLineEdit;
class QPushButton;

namespace quarn {

class TRefPnts : public QDialog {
    Q_OBJECT
public:
    TRefPnts(GearModel& model, QWidget* parent);

    // Fills the four fields from the points and puts the focus on Cancel.
    void FormActivate();

    QLineEdit* Edit1 = nullptr;  // Vert of point 1
    QLineEdit* Edit2 = nullptr;  // Horz of point 1
    QLineEdit* Edit3 = nullptr;  // Vert of point 2
    QLineEdit* Edit4 = nullptr;  // Horz of point 2
    QPushButton* OK = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* Zero = nullptr;

private:
    void OKClick();
    void CancelClick();
    void ZeroClick();

    GearModel& model_;
};

class TGraphZoom : public QDialog {
    Q_OBJECT
public:
    TGraphZoom(GearModel& model, QWidget* parent);

    // Shows the factor in use, ready to be typed over.
    void FormActivate();

    QLineEdit* Edit1 = nullptr;
    QPushButton* OK = nullptr;

private:
    void OKClick();

    GearModel& model_;
};

}  // namespace quarn
