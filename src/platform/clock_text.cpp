// Date and time text in the desktop's own formats.
#include "clock_text.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include "model/window_caption.h"

namespace quarn {

std::string shortDateText() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::string longTimeText() {
    return QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat).toStdString();
}

std::string frameCaptionNow(const std::string& prefix, const std::string& dimSetName) {
    return frameCaption(prefix, dimSetName, shortDateText(), longTimeText());
}

}  // namespace quarn
