// The window captions: which set is loaded, when, and the program's version.
#include <QDate>
#include <QLocale>
#include <QTime>

#include "frame.h"

namespace quarn {

std::string frameCaption(const std::string& prefix, const std::string& dimSetName,
                         const std::string& date, const std::string& time) {
    return prefix + dimSetName + "     " + date + "   " + time + "   Version 2.6";
}

std::string frameCaptionNow(const std::string& prefix, const std::string& dimSetName) {
    const QLocale locale = QLocale::system();
    return frameCaption(prefix, dimSetName,
                        locale.toString(QDate::currentDate(), QLocale::ShortFormat).toStdString(),
                        locale.toString(QTime::currentTime(), QLocale::LongFormat).toStdString());
}

}  // namespace quarn
