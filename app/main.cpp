// quarngear: the desktop program. One gear model, owned here for the whole run.
#include <QApplication>
#include <clocale>
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
    // Qt takes the user's locale for the C library too; under a decimal comma every
    // number the program prints and reads (the read-outs, the tables, a tolerance file, a
    // working point such as arm=10.9) would change its point to a comma. Numbers are the
    // program's own, with a point, whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
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
