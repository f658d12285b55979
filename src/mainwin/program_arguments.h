// The desktop program's command line: --help, --version and at most one design file.
#pragma once

#include <QString>
#include <QStringList>

namespace quarn {

struct ProgramArguments {
    bool ok = false;  // open the window, with `file` when it is not empty
    QString file;     // the design to open at once (.qgd, or a DOS .qgk)
    // Printed before the program ends when !ok: on stdout when exitCode is 0 (help,
    // version), on stderr otherwise (a usage error).
    QString message;
    int exitCode = 0;
};

// `arguments` as the program was started with them, the program first. Qt's standard
// options are accepted with their values and left for the application object.
ProgramArguments parseProgramArguments(const QStringList& arguments);

}  // namespace quarn
