// quarngear: the desktop program. One gear model, owned here for the whole run.
#include <QApplication>
#include <cstdio>

#include "mainwin/main_window.h"
#include "mainwin/program_arguments.h"
#include "model/gear_model.h"

int main(int argc, char** argv) {
    // The arguments are read before the window system is asked for anything, so that
    // --help, --version and a usage error work without a display. Qt's own options
    // (-platform offscreen, -style Fusion, ...) pass this reading; the application
    // object takes them out of argv as it is made.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const quarn::ProgramArguments args = quarn::parseProgramArguments(arguments);
    if (!args.ok) {
        std::fputs(args.message.toLocal8Bit().constData(), args.exitCode == 0 ? stdout : stderr);
        return args.exitCode;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quarngear"));
    // The settings (the recent designs) live under this name.
    QApplication::setOrganizationName(QStringLiteral("quarngear"));
    quarn::GearModel model;
    quarn::InitStartupState(model);
    quarn::TMainForm window(model);
    window.show();
    // A design named on the command line (as a file manager passes it) opens at once.
    if (!args.file.isEmpty()) window.openDesign(args.file.toStdString());
    return QApplication::exec();
}
