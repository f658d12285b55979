// "About These Programs": what the program is, where it came from, and where to write.
#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;

namespace quarn {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The eight lines, top to bottom, as Label1..Label8 show them.
    static QStringList lines();

    QPushButton* OKButton = nullptr;
};

}  // namespace quarn
