// The two dialogs in which the user types the gear's dimensions: the frame and gear
// assembly (TFrameDi) and the cylinder and valve (TCylDimen). Both are one dialog laid
// out from its span of the dimension table: a drawn label, a number field and a small
// "show me where" button per dimension, the reset buttons of its groups and Close.
// Every field writes through to the design when it is left, so the gear behind the
// dialog moves while the user types.
#pragma once

#include <QDialog>
#include <QList>
#include <QRect>
#include <functional>
#include <span>

#include "drawing/dimension_dialog_labels.h"
#include "model/dimensions.h"
#include "model/gear_model.h"

class QLineEdit;
class QPushButton;

namespace quarn {

// What the dialogs ask of the main window's controls.
struct DimensionDialogHost {
    // The reverse-arm limits changed: the bar spans the new maximum travel.
    std::function<void()> revArmRange;
    // Close: the reverse-arm bar back to its middle (the arm is already at mid gear).
    std::function<void()> revArmBarToMiddle;
    // A value was taken or a group reset: the dynamic-variable bars follow.
    std::function<void()> dimensionsChanged;
};

// Where one dimension's field and small button stand.
struct DimensionRowPlace {
    int fieldX, fieldY;
    bool grey;  // the field can make its dimension a dynamic variable
    int buttonX, buttonY, buttonHeight;
};

struct ResetButtonPlace {
    const char* name;
    const char* caption;
    QRect place;
    DimGroup group;
};

struct DimensionDialogLayout {
    const char* name;  // the object name, TFrameDi or TCylDimen
    const char* caption;
    int clientWidth, clientHeight;
    std::span<const DimensionDescriptor> rows;
    std::span<const DimensionRowPlace> places;  // one per row
    std::span<const DialogLabel> labels;
    std::span<const ResetButtonPlace> resets;
    QRect close;
};

const DimensionDialogLayout& frameDialogLayout();
const DimensionDialogLayout& cylinderDialogLayout();

class DimensionDialog : public QDialog {
    Q_OBJECT
public:
    DimensionDialog(const DimensionDialogLayout& layout, GearModel& model, DimensionDialogHost host,
                    QWidget* parent);

    // Opens the dialog modally with the fields filled and the focus on Close.
    int exec() override;
    // The dimension graphic takes the screen: the dialog goes without Close's steps
    // (the gear must stay as it is while its dimension is shown); the window opens it
    // again afterwards.
    void closeForGraphic();

    QLineEdit* field(int row) const { return fields_.at(row - 1); }  // Edit1..
    QPushButton* showButton(int row) const { return buttons_.at(row - 1); }
    QPushButton* Close1 = nullptr;

    // FormActivate's filling: every field shows its dimension with three decimals.
    void fillFields();
    // What opening does before the dialog shows: the fields filled, the focus on Close.
    void prepareToOpen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void done(int result) override;

private:
    // The key filter of every field; true swallows the key.
    bool keyPress(int row, QKeyEvent* key);
    // A field was left: an edited text becomes the dimension's value, an untouched one
    // leaves it as it was; either way it is registered as the newest dynamic variable.
    void fieldExit(int row);
    void resetGroup(DimGroup group, bool clearHistory);
    // Field i (from 0) shows its dimension's stored value with three decimals.
    void showValue(std::size_t i);
    void Close1Click();

    const DimensionDialogLayout& layout_;
    GearModel& model_;
    DimensionDialogHost host_;
    QList<QLineEdit*> fields_;
    QList<QPushButton*> buttons_;
    bool closing_ = false;
    bool forGraphic_ = false;
};

// The frame and gear-assembly dimensions, rows 1..30.
class TFrameDi : public DimensionDialog {
    Q_OBJECT
public:
    TFrameDi(GearModel& model, DimensionDialogHost host, QWidget* parent)
        : DimensionDialog(frameDialogLayout(), model, std::move(host), parent) {}
};

// The cylinder and valve dimensions, rows 1..17 (codes 101..117).
class TCylDimen : public DimensionDialog {
    Q_OBJECT
public:
    TCylDimen(GearModel& model, DimensionDialogHost host, QWidget* parent)
        : DimensionDialog(cylinderDialogLayout(), model, std::move(host), parent) {}
};

}  // namespace quarn
