// The number fields of every dialog: key-by-key filtering (digits, one ".", and where
// a field takes negative values one "-"; other keys that would type text are dropped,
// editing and navigation keys pass), and what a field stands for until it is edited.
#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace quarn {

struct NumberFieldRule {
    bool allowMinus = false;
    bool swallowEnter = false;  // some fields must not let Enter reach the dialog
};

class NumberKeyFilter : public QObject {
    Q_OBJECT
public:
    NumberKeyFilter(NumberFieldRule rule, QObject* parent);

    // Installs a filter on the field; the field owns it.
    static void install(QLineEdit* field, NumberFieldRule rule);
    // Whether typing `typed` into a field holding `text` is kept.
    static bool accepts(const QString& text, const QString& typed, NumberFieldRule rule);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NumberFieldRule rule_;
};

// A field filled from a stored real shows it rounded to a few decimals, while designs
// hold dimensions such as 3.65625 (sixteenths, as drawings give them). Until the user
// edits the text, the field stands for the stored value itself, so clicking through a
// field and out again never rounds the design to what the field shows.
//
// Shows `text` in the field and remembers that it stands for `stored`.
void showNumber(QLineEdit* field, const QString& text, double stored);
// Whether the field's text differs from what it was last filled with. Text typed back to
// exactly what was shown counts as untouched: it reads as the number the user saw there.
bool numberEdited(const QLineEdit* field);
// The number the field holds: the stored value while it is untouched, else its text's
// leading number (0 for none), as the program always read a typed field.
double fieldNumber(const QLineEdit* field);

}  // namespace quarn
