// quarngear: the desktop program. One gear model, owned here for the whole run.
#include <QApplication>
#include <cstdio>

#include "mainwin/main_window.h"
#include "mainwin/program_arguments.h"
#include "model/gear_model.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quarngear"));
    // Qt has taken its own options out of the arguments; the rest are ours.
    const quarn::ProgramArguments args = quarn::parseProgramArguments(QApplication::arguments());
    if (!args.ok) {
        std::fputs(args.message.toLocal8Bit().constData(), args.exitCode == 0 ? stdout : stderr);
        return args.exitCode;
    }
    quarn::GearModel model;
    quarn::InitStartupState(model);
    quarn::TMainForm window(model);
    window.show();
    // A design named on the command line (as a file manager passes it) opens at once.
    if (!args.file.isEmpty()) window.openDesign(args.file.toStdString());
    return QApplication::exec();
}
