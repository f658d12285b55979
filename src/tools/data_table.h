// The pivot data table window: the table text in an editable box, rebuilt each time
// the window is shown, with a small Edit menu to take it to the clipboard.
#pragma once

#include <QDialog>

#include "model/gear_model.h"

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;

namespace quarn {

class TDataTable : public QDialog {
    Q_OBJECT
public:
    TDataTable(GearModel& model, QWidget* parent = nullptr);

    QPlainTextEdit* DataMemo = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* spacerItem = nullptr;  // keeps the Edit menu away from Close
    QMenu* Edit1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Past1 = nullptr;
    QAction* SelectAll1 = nullptr;

    // Rebuilds the whole table from the model, with the clock's date and time.
    void FormActivate();
    void Close1Click();
    void Edit1Click();
    void Cut1Click();
    void Copy1Click();
    void Past1Click();
    void SelectAll1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    GearModel& model_;
};

}  // namespace quarn
