// Reading the command line before any window opens. A usage error exits with 2, as
// command-line programs do; help and version exit with 0.
#include "program_arguments.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace quarn {
namespace {

constexpr int UsageError = 2;

// The standard options of Qt's application object, which takes them out of the command
// line when it is made, after this reading: accepted here with their values, so that
// "-platform offscreen" is not refused, and listed by --help-all.
struct QtOption {
    const char* name;
    const char* value;  // the name of its value; nullptr for a switch
    const char* description;
};
constexpr QtOption QtOptions[] = {
    {"platform", "platformName[:options]", "The platform plugin: xcb, wayland, offscreen, ..."},
    {"platformpluginpath", "path", "Where the platform plugins are."},
    {"platformtheme", "theme", "The platform theme."},
    {"plugin", "plugin", "A further plugin to load; may be given more than once."},
    {"qwindowgeometry", "geometry", "The main window's geometry, as 1280x1024+0+0."},
    {"qwindowicon", "icon", "The windows' icon."},
    {"qwindowtitle", "title", "The first window's title."},
    {"reverse", nullptr, "Lays the windows out right to left."},
    {"session", "session", "Restores the program from an earlier session."},
    {"style", "style", "The widget style: Fusion, Windows, ..."},
    {"stylesheet", "file", "A style sheet for the widgets."},
    {"widgetcount", nullptr, "Tells at the end how many widgets were left."},
    {"testability", nullptr, "Loads the testability library."},
    {"qmljsdebugger", "options", "Options of the QML debugger."},
    {"display", "display", "The X11 display, instead of $DISPLAY."},
    {"name", "name", "The X11 instance name."},
    {"geometry", "geometry", "On X11, the same as -qwindowgeometry."},
    {"icon", "icon", "On X11, the same as -qwindowicon."},
    {"title", "title", "On X11, the same as -qwindowtitle."},
    {"visual", "id", "The X11 visual to use."},
    {"nograb", nullptr, "On X11, never grabs the mouse (for debuggers)."},
    {"dograb", nullptr, "On X11, grabs the mouse even under a debugger."},
};

bool isDesignFileName(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QStringLiteral("qgd") || suffix == QStringLiteral("qgk");
}

struct Options {
    QCommandLineOption help;
    QCommandLineOption version;
};

// The program's own options, and Qt's; these show in the help only with --help-all.
Options describe(QCommandLineParser& parser, bool showQtOptions) {
    // "-platform" is one option, as Qt's application object reads it, not eight letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Simulates a steam locomotive's valve gear driving a piston valve."));
    Options options{parser.addHelpOption(), parser.addVersionOption()};
    parser.addPositionalArgument(QStringLiteral("design"),
                                 QStringLiteral("A design file to open: .qgd, or a DOS .qgk."),
                                 QStringLiteral("[design]"));
    for (const QtOption& q : QtOptions) {
        QCommandLineOption o(QString::fromLatin1(q.name), QString::fromLatin1(q.description));
        if (q.value) o.setValueName(QString::fromLatin1(q.value));
        if (!showQtOptions) o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }
    return options;
}

// The usage line names the program as users call it: before the application object is
// made Qt has no name for it ("<executable_name>"), and after, only the path it was
// started by.
QString helpText(const QCommandLineParser& parser) {
    QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: ");
    const qsizetype nameEnd = text.indexOf(QStringLiteral(" [options]"));
    if (text.startsWith(usage) && nameEnd > usage.size())
        text.replace(usage.size(), nameEnd - usage.size(), QStringLiteral("quarngear"));
    return text;
}

ProgramArguments usageError(const QString& what, const QCommandLineParser& parser) {
    return {false, {}, QStringLiteral("quarngear: ") + what + QStringLiteral("\n\n") +
                           helpText(parser),
            UsageError};
}

}  // namespace

ProgramArguments parseProgramArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    const Options options = describe(parser, false);
    if (!parser.parse(arguments)) return usageError(parser.errorText(), parser);
    if (parser.isSet(QStringLiteral("help-all"))) {
        QCommandLineParser all;
        describe(all, true);
        return {false, {}, helpText(all), 0};
    }
    if (parser.isSet(options.help)) return {false, {}, helpText(parser), 0};
    if (parser.isSet(options.version))
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
