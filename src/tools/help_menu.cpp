// The Help menu: three items, three windows.
#include "help_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "tools/about_box.h"

namespace quarn {
namespace {

QAction* makeItem(QObject* parent, const char* name, const char* caption, const char* hint) {
    auto* a = new QAction(QString::fromLatin1(caption), parent);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(QString::fromLatin1(hint));
    a->setStatusTip(QString::fromLatin1(hint));
    return a;
}

}  // namespace

HelpMenu::HelpMenu(QMenuBar* bar, QWidget* window, const HelpSources& sources) : QObject(window) {
    setObjectName(QStringLiteral("HelpMenu"));
    // Start-up order: the About box, then the two instruction windows.
    AboutBox = new TAboutBox(window);
    Inst = new TInst(sources, window);
    QuISpInst = new TQuISpInst(sources, window);

    Instructions = makeItem(this, "Instructions", "&Instructions", "How to Use This Program");
    Instructions->setShortcut(QKeySequence::HelpContents);
    SpecInstr = makeItem(this, "SpecInstr", "Instructions&Special",
                         "The Quarn Gear: Its Parts and Settings");
    About1 = makeItem(this, "About1", "&About", "About These Programs");
    connect(Instructions, &QAction::triggered, this, &HelpMenu::InstructionsClick);
    connect(SpecInstr, &QAction::triggered, this, &HelpMenu::SpecInstrClick);
    connect(About1, &QAction::triggered, this, &HelpMenu::About1Click);

    Help = bar->addMenu(QStringLiteral("&Help"));
    Help->setObjectName(QStringLiteral("Help"));
    Help->addAction(Instructions);
    Help->addAction(SpecInstr);
    Help->addSeparator();
    Help->addAction(About1);
}

void HelpMenu::InstructionsClick() { Inst->exec(); }
void HelpMenu::SpecInstrClick() { QuISpInst->exec(); }
void HelpMenu::About1Click() { AboutBox->exec(); }

}  // namespace quarn
