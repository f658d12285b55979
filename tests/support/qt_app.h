// A Qt application for the tests that need one (fonts, sounds), offscreen, made once.
#pragma once

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace quarn::test {

inline void ensureApplication() {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quarngear-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);  // lives for the whole program
    // Settings the tests write (the recent designs) never reach the program's own, nor
    // those of another test program that ctest runs at the same time.
    QCoreApplication::setOrganizationName(QStringLiteral("quarngear-tests"));
    static QTemporaryDir settings;
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settings.path());
    (void)app;
}

}  // namespace quarn::test
