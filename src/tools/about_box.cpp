// The About box: eight fixed lines and OK.
#include "about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarn {

QStringList TAboutBox::lines() {
    return {
        QStringLiteral("quarngear " QUARN_VERSION),
        QStringLiteral("The Quarn valve gear and its inside-admission piston valve"),
        QStringLiteral("Began as a DOS program; its .qgk dimension files still open here."),
        QStringLiteral("Carried to the Windows desktop with diagrams and the .qgd file."),
        QStringLiteral("Now a Qt 6 desktop program with a command-line companion."),
        QStringLiteral("Comments to"),
        QStringLiteral("    the quarngear project,"),
        QStringLiteral("    through its issue tracker."),
    };
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("About These Programs"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    const QStringList text = lines();
    for (int i = 0; i < text.size(); ++i) {
        auto* label = new QLabel(text[i], this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (i == 0) {
            QFont bold = label->font();
            bold.setBold(true);
            bold.setPointSizeF(bold.pointSizeF() * 1.3);
            label->setFont(bold);
        }
        // A gap before the history and before the address.
        if (i == 2 || i == 5) layout->addSpacing(8);
        layout->addWidget(label);
    }
    layout->addSpacing(10);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace quarn
