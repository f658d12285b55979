// The main window's "&Help" menu and the three windows it opens. The two instruction
// windows are made, and read their files, when the menu is made at start-up.
#pragma once

#include <QObject>

#include "tools/help_window.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace quarn {

class TAboutBox;

class HelpMenu : public QObject {
    Q_OBJECT
public:
    // Adds the menu at the end of `bar`; the windows belong to `window`.
    HelpMenu(QMenuBar* bar, QWidget* window, const HelpSources& sources = programHelpSources());

    QMenu* Help = nullptr;
    QAction* Instructions = nullptr;
    QAction* SpecInstr = nullptr;
    QAction* About1 = nullptr;
    TInst* Inst = nullptr;
    TQuISpInst* QuISpInst = nullptr;
    TAboutBox* AboutBox = nullptr;

    // Each shows its window modally.
    void InstructionsClick();
    void SpecInstrClick();
    void About1Click();
};

}  // namespace quarn
