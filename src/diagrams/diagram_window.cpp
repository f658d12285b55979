// The diagram window base: controls, menu, the backing picture and the handlers.
#include "diagram_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWindow>

#include "diagrams/set_rev_arm.h"
#include "model/dyn_var_bars.h"
#include "model/dyn_vars.h"
#include "model/undo_history.h"
#include "platform/dyn_var_bar.h"
#include "canvas/tee_canvas.h"
#include "platform/layout_place.h"
#include "platform/picture_pane.h"
#include "platform/qt_canvas.h"

namespace quarn {

namespace {

// The bars stand in a column left of the slot names the panel writes at x 235, one
// bar on each of its rows; the UnDo button lies under them, left of the undo line.
constexpr int BarLeft = 112;
constexpr int BarWidth = 121;
constexpr int BarHeight = 10;
constexpr int BarFirstTop = 3;
constexpr int BarPitch = 12;
constexpr QRect UndoButtonPlace{110, 54, 40, 16};
constexpr QSize CloseSize{75, 25};

}  // namespace

DiagramWindow::DiagramWindow(const DiagramWindowLayout& layout, GearModel& model,
                             DiagramHost host, TSetRevArm* setRevArm, QWidget* parent)
    : QDialog(parent), model_(model), host_(std::move(host)), layout_(layout),
      setRevArm_(setRevArm), image_(DiagramWidth, layout.height, QImage::Format_RGB32),
      drawn_(DiagramWidth, layout.height) {
    setObjectName(QString::fromLatin1(layout.name));
    // A tool window: a small caption, no minimise or maximise box.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setWindowTitle(QString::fromLatin1(layout.captionPrefix));
    image_.fill(Qt::white);
    createControls();
    createMenu();
}

DiagramWindow::~DiagramWindow() = default;

void DiagramWindow::createControls() {
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    // As large as the user likes, never smaller than the picture.
    box->setSizeConstraint(QLayout::SetMinimumSize);
    surface_ = new PicturePane(image_, drawn_, this);
    surface_->setObjectName(QStringLiteral("Surface"));
    surface_->onMouseMove = [this] { FormMouseMove(); };
    surface_->onScaleChanged = [this](double scale) {
        followTextScale(surface_, model_.screen.text, scale);
    };
    box->addWidget(surface_);

    closeButton_ = new QPushButton(QStringLiteral("Close"), surface_);
    closeButton_->setObjectName(QString::fromLatin1(layout_.closeName));
    setBasePlace(closeButton_, QRect(layout_.closeAt, CloseSize));
    closeButton_->setToolTip(QStringLiteral("Close the diagram"));
    closeButton_->setStatusTip(closeButton_->toolTip());
    connect(closeButton_, &QPushButton::clicked, this, &DiagramWindow::CloseClick);

    for (int k = 1; k <= DynVarSlotCount; ++k) {
        DynVarBar* bar = makeDynVarBar(
            surface_, QString::fromLatin1(layout_.barPrefix) + QString::number(k), k,
            {BarLeft, BarFirstTop + BarPitch * (k - 1), BarWidth, BarHeight});
        connect(bar, &QScrollBar::valueChanged, this, [this, k] { SBDynVarChange(k); });
        bar->onEndScroll = [this, k] { SBDynVarScroll(k); };
        bar->onEnter = [this, k] { SBDynVarEnter(k); };
        bars_[std::size_t(k)] = bar;
    }
    undoButton_ = new QPushButton(QStringLiteral("UnDo"), surface_);
    undoButton_->setObjectName(QString::fromLatin1(layout_.undoButtonName));
    setBasePlace(undoButton_, UndoButtonPlace);
    undoButton_->setToolTip(QStringLiteral("Undo the last dimension change"));
    undoButton_->setStatusTip(undoButton_->toolTip());
    undoButton_->setEnabled(false);
    undoButton_->hide();
    connect(undoButton_, &QPushButton::clicked, this, &DiagramWindow::UnDoDnClick);
    // The platform's undo key does what the UnDo button does.
    auto* undoKey = new QShortcut(QKeySequence::Undo, this);
    connect(undoKey, &QShortcut::activated, this, &DiagramWindow::UnDoDnClick);

    QWidget::setTabOrder(closeButton_, bars_[1]);
    for (int k = 2; k <= DynVarSlotCount; ++k) QWidget::setTabOrder(bars_[std::size_t(k - 1)], bars_[std::size_t(k)]);
    QWidget::setTabOrder(bars_[DynVarSlotCount], undoButton_);
}

void DiagramWindow::createMenu() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QString::fromLatin1(layout_.menuBarName));
    layout()->setMenuBar(menuBar_);
    auto add = [this](const MenuItemName& item, void (DiagramWindow::*handler)()) {
        if (!item.name) return;
        QAction* a = menuBar_->addAction(QString::fromLatin1(item.caption));
        a->setObjectName(QString::fromLatin1(item.name));
        connect(a, &QAction::triggered, this, handler);
    };
    add(layout_.setRevArmPos, &DiagramWindow::SetRevArmPosClick);
    add(layout_.reDraw, &DiagramWindow::ReDrawClick);
    add(layout_.unDo, &DiagramWindow::UnDoMenuClick);
    add(layout_.dynVar, &DiagramWindow::DynVarMenuClick);

    QMenu* picture = menuBar_->addMenu(QStringLiteral("&Picture"));
    picture->setObjectName(QStringLiteral("PictureMenu"));
    QAction* save = makeSavePictureAction(this);
    save->setShortcut(QKeySequence::Save);
    QAction* print = makePrintAction(this);
    picture->addAction(save);
    picture->addAction(print);
    connect(save, &QAction::triggered, this, [this] { savePictureWithDialog(this, pictureSource()); });
    connect(print, &QAction::triggered, this, [this] { printPictureWithDialog(this, pictureSource()); });
}

int DiagramWindow::exec() {
    // Opening: the window comes up, the timer stops and the picture is drawn (after the
    // position dialog, which stands over the window) before the window takes input.
    closed_ = false;
    followTextLayout();  // before the window comes up at its size
    show();
    FormActivate();
    // Closed already while it was opening (a Close queued behind the position dialog):
    // waiting for input now would show it again with nobody to close it.
    if (closed_) return result();
    return QDialog::exec();
}

QSize DiagramWindow::pictureSize() const {
    return sizeInLayout({DiagramWidth, layout_.height}, model_.screen.text);
}

void DiagramWindow::followTextLayout() {
    // The large-font layout draws the texts further right and down: the picture grows
    // to hold them, and the controls move with the texts they stand among.
    if (image_.size() != pictureSize()) {
        image_ = QImage(pictureSize(), QImage::Format_RGB32);
        clearPicture();
        // Opened at the picture's size, as large as the user makes it afterwards.
        surface_->pictureChanged();
        surface_->resize(image_.size());
        adjustSize();
    }
    followTextScale(surface_, model_.screen.text, surface_->fit().scale);
}

void DiagramWindow::FormActivate() {
    if (host_.setTimerRunning) host_.setTimerRunning(false);
    followTextLayout();
    // The caption of the frame the main window drew last, which stays while the timer
    // is stopped.
    if (host_.caption) setWindowTitle(QString::fromStdString(host_.caption(layout_.captionPrefix)));
    if (layout_.asksPositions) showPositionDialog();
    refresh();
}

void DiagramWindow::done(int result) {
    // FormClose: the gear moves again, from the angle and setting it had.
    closed_ = true;
    QDialog::done(result);
    if (host_.setTimerRunning) host_.setTimerRunning(true);
}

DiagramRequests DiagramWindow::drawOn(GearModel& m, Canvas& canvas) const {
    return layout_.draw(m, canvas);
}

void DiagramWindow::draw() { paintPicture(); }

void DiagramWindow::clearPicture() {
    image_.fill(Qt::white);
    drawn_ = RecordingCanvas(image_.width(), image_.height());
}

const QImage& DiagramWindow::shownPicture() const { return surface_->shown(); }

void DiagramWindow::paintPicture() {
    DiagramRequests requests;
    {
        // The steps are kept beside the pixels, so that the window can show the picture
        // at its own size without solving the gear again.
        QtCanvas canvas(image_);
        TeeCanvas both(canvas, drawn_);
        requests = drawOn(model_, both);
    }
    applyRequests(requests);
    surface_->pictureChanged();
}

void DiagramWindow::refresh() {
    clearPicture();
    paintPicture();
}

void DiagramWindow::applyRequests(const DiagramRequests& r) {
    for (int k = 1; k <= DynVarSlotCount; ++k) {
        DynVarBar* bar = bars_[std::size_t(k)];
        bar->setEnabled(r.barsEnabled[std::size_t(k)]);
        nameDynVarBar(bar, model_, k);
        bar->setVisible(r.barsVisible);
    }
    undoButton_->setEnabled(model_.dyn.UndoEnabled);
    undoButton_->setVisible(r.undoButtonVisible);
}

void DiagramWindow::FormMouseMove() {
    if (!model_.diagrams.RevArmSetClosed) return;
    refresh();
    model_.diagrams.RevArmSetClosed = 0;
}

void DiagramWindow::CloseClick() { close(); }

void DiagramWindow::SetRevArmPosClick() {
    // Nothing is drawn here: the next pointer move over the picture redraws it.
    showPositionDialog();
}

void DiagramWindow::showPositionDialog() {
    if (!setRevArm_) return;
    // The one dialog serves every diagram; it stands over the diagram that asks for it.
    setRevArm_->winId();
    if (QWindow* dialog = setRevArm_->windowHandle()) dialog->setTransientParent(windowHandle());
    setRevArm_->exec();
}

void DiagramWindow::ReDrawClick() { refresh(); }

void DiagramWindow::UnDoMenuClick() {
    if (!toggleUndoShown(model_)) {
        refresh();
        return;
    }
    // The first drawing composes the undo line, the second shows it.
    draw();
    draw();
}

void DiagramWindow::DynVarMenuClick() {
    toggleDynVarsShown(model_);
    refresh();
    if (host_.followDynVars) host_.followDynVars();
}

void DiagramWindow::UnDoDnClick() {
    undoButtonClick(model_);
    undoButton_->setEnabled(model_.dyn.UndoEnabled);
    if (host_.followDynVars) host_.followDynVars();
    refresh();
}

void DiagramWindow::SBDynVarChange(int k) {
    DynVarBar* bar = bars_[std::size_t(k)];
    const int position = bar->value();
    dynVarBarChange(model_, k, position);
    // The pass with 0 that the spring back below makes changes nothing on the gear; the
    // picture is drawn once, after it.
    if (position == 0) return;
    bar->setValue(0);
    refresh();
}

void DiagramWindow::SBDynVarScroll(int k) {
    dynVarBarEndScroll(model_, k);
    undoButton_->setEnabled(model_.dyn.UndoEnabled);
    if (host_.followDynVars) host_.followDynVars();
    // Off the bar, so that the next gesture takes its starting value afresh.
    closeButton_->setFocus(Qt::OtherFocusReason);
    draw();
}

void DiagramWindow::SBDynVarEnter(int k) { dynVarBarEnter(model_, k); }

PictureSource DiagramWindow::pictureSource() {
    // Drawn from a copy, so that saving or printing leaves the undo line, the solver's
    // last values and everything else of the program as they were.
    const QSize size = pictureSize();
    return {size.width(), size.height(),
            [this](Canvas& canvas) {
                GearModel copy = model_;
                canvas.clear(colors::White);
                drawOn(copy, canvas);
            },
            model_.DimSetName, {}};
}

std::string DiagramWindow::savePictureTo(const std::string& path) {
    const PictureSource p = pictureSource();
    return savePicture(path, p.width, p.height, p.draw);
}

QString DiagramWindow::printTo(QPrinter& printer) { return printPicture(printer, pictureSource()); }

}  // namespace quarn
