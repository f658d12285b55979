// quarngear: the desktop program. One gear model, owned here for the whole run.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "mainwin/main_window.h"
#include "model/gear_model.h"

namespace {

// Bad arguments are said on stderr, with exit status 2, before any window opens.
int usageError(const QCommandLineParser& parser, const QString& message) {
    std::fprintf(stderr, "quarngear: %s\n\n%s", qPrintable(message), qPrintable(parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("quarngear"))));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // The arguments are read before the window system is asked for anything, so that
    // --help, --version and a usage error work without a display.
    QCoreApplication::setApplicationName(QStringLiteral("quarngear"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.6"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates the Quarn valve gear driving an inside-admission piston valve."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("design"),
                                 QStringLiteral("A dimension file to open (.qgd, or .qgk for "
                                                "the older DOS files)."),
                                 QStringLiteral("[design]"));
    if (!parser.parse(arguments)) return usageError(parser, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("quarngear"))), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("quarngear %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) return usageError(parser, QStringLiteral("give at most one design file"));

    QApplication app(argc, argv);

    quarn::GearModel model;
    quarn::InitStartupState(model);
    quarn::TMainForm window(model);
    window.show();
    // A design named on the command line (as a file manager passes it) opens at once.
    if (files.size() == 1) window.openDesign(files.front().toStdString());
    return QApplication::exec();
}
