// The clean state of the design and the list of recent designs.
#include "design_document.h"

#include <QFileInfo>
#include <QSettings>

#include "dims/file_layout.h"

namespace quarn {

void DesignDocument::markClean(const GearModel& m, std::string path) {
    clean_ = designFingerprint(m);
    path_ = std::move(path);
}

bool DesignDocument::modified(const GearModel& m) const { return designFingerprint(m) != clean_; }

namespace {

const QString RecentKey = QStringLiteral("RecentDesigns");

void store(const QStringList& paths) { QSettings().setValue(RecentKey, paths); }

}  // namespace

QStringList RecentDesigns::list() const {
    QStringList paths = QSettings().value(RecentKey).toStringList();
    paths.removeAll(QString());
    while (paths.size() > Limit) paths.removeLast();
    return paths;
}

void RecentDesigns::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = list();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    while (paths.size() > Limit) paths.removeLast();
    store(paths);
}

void RecentDesigns::remove(const QString& path) {
    QStringList paths = list();
    paths.removeAll(QFileInfo(path).absoluteFilePath());
    store(paths);
}

}  // namespace quarn
