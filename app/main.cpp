// quarngear: the desktop program. One gear model, owned here for the whole run.
#include <QApplication>

#include "mainwin/main_window.h"
#include "model/gear_model.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quarngear"));
    quarn::GearModel model;
    quarn::InitStartupState(model);
    quarn::TMainForm window(model);
    window.show();
    // A design named on the command line (as a file manager passes it) opens at once.
    const QStringList args = QApplication::arguments();
    if (args.size() == 2) window.openDesign(args.at(1).toStdString());
    return QApplication::exec();
}
