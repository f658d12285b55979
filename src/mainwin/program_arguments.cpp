// Reading the command line before any window opens. A usage error exits with 2, as
// command-line programs do; help and version exit with 0.
#include "program_arguments.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace quarn {
namespace {

constexpr int UsageError = 2;

bool isDesignFileName(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QStringLiteral("qgd") || suffix == QStringLiteral("qgk");
}

ProgramArguments usageError(const QString& what, const QCommandLineParser& parser) {
    return {false, {}, QStringLiteral("quarngear: ") + what + QStringLiteral("\n\n") +
                           parser.helpText(),
            UsageError};
}

}  // namespace

ProgramArguments parseProgramArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates a steam locomotive's valve gear driving a piston valve."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("design"),
                                 QStringLiteral("A design file to open: .qgd, or a DOS .qgk."),
                                 QStringLiteral("[design]"));
    if (!parser.parse(arguments)) return usageError(parser.errorText(), parser);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return {false, {}, parser.helpText(), 0};
    if (parser.isSet(version))
        return {false, {}, QStringLiteral("quarngear " QUARN_VERSION "\n"), 0};

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) return usageError(QStringLiteral("one design file at most."), parser);
    if (files.isEmpty()) return {true, {}, {}, 0};
    if (!isDesignFileName(files.front()))
        return usageError(QStringLiteral("not a design file (.qgd or .qgk): ") + files.front(),
                          parser);
    return {true, files.front(), {}, 0};
}

}  // namespace quarn
