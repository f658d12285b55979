// The lines-and-circles dialog ("Draw Lines"): three choices, three buttons and twenty
// rows of item number, type, colour, reference and four values. Its rules live in
// model/overlay.h; the dialog passes the user's clicks to them and mirrors the result.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "model/gear_model.h"

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quarn {

struct OverlayOutcome;

class TDrawLines : public QDialog {
    Q_OBJECT
public:
    TDrawLines(GearModel& model, QWidget* parent = nullptr);

    // The refusals' sound; tests count it instead.
    std::function<void()> beep;

    // A pending pick is completed as the dialog comes up; every showing runs it.
    void FormActivate();
    void RadioGroup1Click(int type);
    void RadioGroup2Click(int color);
    void RadioGroup3Click(int ref);
    void DrawButClick();
    void ClearLineClick();
    void CloseButClick();
    // Every row from the items (after a dimension file has been read).
    void LinesDataClick();
    // The item number of row k was clicked.
    void itemLabelClick(int k);
    // Field `column` (0..3) of row k was left.
    void editExit(int k, int column);
    // Shows the model's state: the choices, Draw Close, the highlight and every row.
    void mirror();

    QGroupBox* RadioGroup1 = nullptr;
    QGroupBox* RadioGroup2 = nullptr;
    QGroupBox* RadioGroup3 = nullptr;
    QPushButton* DrawBut = nullptr;
    QPushButton* ClearLine = nullptr;
    QPushButton* CloseBut = nullptr;
    QPushButton* LinesData = nullptr;  // hidden; its click refreshes every row

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Row {
        QFrame* panel = nullptr;
        QPushButton* number = nullptr;
        QLabel* type = nullptr;
        QLabel* color = nullptr;
        QLabel* ref = nullptr;
        std::array<QLineEdit*, 4> fields{};
    };
    QGroupBox* makeChoice(const char* name, const QString& title, QRect place, int columns,
                          const QStringList& items, QButtonGroup*& group);
    void makeHeadings();
    void makeRow(int k);
    void follow(const OverlayOutcome& outcome);

    GearModel& model_;
    QButtonGroup* typeGroup_ = nullptr;
    QButtonGroup* colorGroup_ = nullptr;
    QButtonGroup* refGroup_ = nullptr;
    std::array<Row, 21> rows_{};  // rows 1..20
};

}  // namespace quarn
