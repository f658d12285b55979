// The main window's design files: open, import, save, save as, reset, the recent
// designs, and the question asked before a changed design would be lost.
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

#include "dims/dimension_file.h"
#include "mainwin/dyn_var_panel.h"
#include "mainwin/main_window.h"
#include "mainwin/motion_panel.h"
#include "mainwin/panel_controls.h"
#include "mainwin/view_panel.h"
#include "model/dimension_edits.h"
#include "model/overlay.h"
#include "platform/file_dialogs.h"
#include "tools/draw_lines.h"

namespace quarn {
namespace {

// Runs a file dialog made by `make` and deletes it; the chosen path, or empty.
std::string askPath(QWidget* parent, QFileDialog* (*make)(QWidget*)) {
    std::unique_ptr<QFileDialog> d(make(parent));
    return runFileDialog(d.get()).toStdString();
}

}  // namespace

bool TMainForm::openDesign(const std::string& path) {
    const bool dos = isDosFileName(path);
    const bool ok = followLoadedDesign(loadDesignFile(model_, path));
    // A DOS file carries no overlay: the dialog's rows stay as they were.
    if (ok && !dos) followLoadedOverlay();
    if (ok) cameFromFile(path, !dos);
    return ok;
}

void TMainForm::followLoadedOverlay() {
    overlayFollowLoadedDesign(model_);
    DrawLines->mirror();
}

bool TMainForm::followLoadedDesign(const FileResult& r) {
    if (!r.ok) {
        QMessageBox::critical(this, QStringLiteral("quarngear"), qs(r.message));
        return false;
    }
    followDesign();
    return true;
}

void TMainForm::followDesign() {
    motion_->followDesign();
    dynVars_->followDesign();
    viewPanel_->followModel();
}

void TMainForm::cameFromFile(const std::string& path, bool writable) {
    // A DOS file is only ever read: Save then asks for a dimension file's name.
    document_.markClean(model_, writable ? path : std::string());
    recent_.add(QString::fromStdString(path));
    setWindowModified(false);
}

bool TMainForm::saveDesign(const std::string& path) {
    const FileResult r = saveDimensionFile(model_, path);
    if (!r.ok) {
        QMessageBox::critical(this, QStringLiteral("quarngear"), qs(r.message));
        return false;
    }
    cameFromFile(path, true);
    return true;
}

bool TMainForm::maySetDesignAside() {
    if (!document_.modified(model_)) return true;
    QMessageBox ask(QMessageBox::Warning, QStringLiteral("quarngear"),
                    QStringLiteral("Save changes to %1?").arg(qs(model_.DimSetName).trimmed()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    ask.setObjectName(QStringLiteral("SaveChanges"));
    ask.setDefaultButton(QMessageBox::Save);
    ask.setEscapeButton(QMessageBox::Cancel);
    switch (ask.exec()) {
        case QMessageBox::Save:
            SaveDimensionsClick();
            return !document_.modified(model_);  // saved, and not cancelled or failed
        case QMessageBox::Discard: return true;
        default: return false;
    }
}

void TMainForm::OpenDimensionsClick() {
    if (!maySetDesignAside()) return;
    const std::string path = askPath(this, makeOpenDimensionsDialog);
    if (path.empty() || !followLoadedDesign(openDimensionFile(model_, path))) return;
    followLoadedOverlay();
    cameFromFile(path, true);
}

void TMainForm::OpenDosVersionDimClick() {
    if (!maySetDesignAside()) return;
    const std::string path = askPath(this, makeOpenDosDialog);
    if (!path.empty() && followLoadedDesign(importDosFile(model_, path))) cameFromFile(path, false);
}

void TMainForm::SaveAsDimensionsClick() {
    const std::string path = askPath(this, makeSaveDimensionsDialog);
    if (!path.empty()) saveDesign(path);
}

void TMainForm::SaveDimensionsClick() {
    if (document_.path().empty())
        SaveAsDimensionsClick();
    else
        saveDesign(document_.path());
}

void TMainForm::ResetAllClick() {
    if (!maySetDesignAside()) return;
    resetAllDimensions(model_);
    followDesign();
    // The arm is at mid gear; the motion buttons follow.
    motion_->CenterClick();
    document_.markClean(model_, {});
    setWindowModified(false);
}

void TMainForm::fillRecentMenu() {
    RecentMenu->clear();
    const QStringList paths = recent_.list();
    for (int i = 0; i < paths.size(); ++i) {
        QAction* a = RecentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(paths[i]).fileName()));
        a->setObjectName(QStringLiteral("Recent%1").arg(i + 1));
        a->setToolTip(paths[i]);
        a->setStatusTip(paths[i]);
        connect(a, &QAction::triggered, this, [this, path = paths[i]] { openRecent(path); });
    }
    RecentMenu->setEnabled(!paths.isEmpty());
}

void TMainForm::openRecent(const QString& path) {
    if (!maySetDesignAside()) return;
    if (!QFileInfo(path).exists()) {
        QMessageBox::critical(this, QStringLiteral("quarngear"),
                              QStringLiteral("%1 is no longer there; it is taken off the list of recent designs.")
                                  .arg(path));
        recent_.remove(path);
        fillRecentMenu();
        return;
    }
    openDesign(path.toStdString());
    fillRecentMenu();
}

}  // namespace quarn
