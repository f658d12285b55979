// The two instruction windows: a read-only text, loaded once when the window is made
// from the data file its text box names, with the file name above it.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace quarn {

// Shows a load failure to the user. The program shows an error box with one OK button;
// tests put their own in to read the message without a modal box in the way.
using HelpErrorBox = std::function<void(QWidget* parent, const QString& message)>;
void showHelpErrorBox(QWidget* parent, const QString& message);

// Where the help files are looked for, and who hears of a file that cannot be read.
struct HelpSources {
    std::vector<std::string> dirs;  // searched in order, as the data-file lookup does
    HelpErrorBox errorBox;
};
// The program's folders and its error box.
HelpSources programHelpSources();

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // Loads at once: the help windows are made at start-up and read their file then.
    HelpWindow(const char* objectName, const QString& caption, const QString& fileName,
               const HelpSources& sources, QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;  // its tool tip is the file's name
    QLabel* Label1 = nullptr;         // the file name, once loaded

    // Reads the file named by Memo1's hint into Memo1, or shows "Error Loading ..." and
    // leaves the window as it was made. Returns whether the text came in.
    bool FormCreate(const HelpSources& sources);
};

// "Instructions": how to use the program.
class TInst : public HelpWindow {
    Q_OBJECT
public:
    explicit TInst(const HelpSources& sources, QWidget* parent = nullptr);
};

// "Quarn Special Instructions": the Quarn gear itself.
class TQuISpInst : public HelpWindow {
    Q_OBJECT
public:
    explicit TQuISpInst(const HelpSources& sources, QWidget* parent = nullptr);
};

}  // namespace quarn
