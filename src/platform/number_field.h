// Key-by-key filtering of the number fields in every dialog: digits, one ".", and
// where a field takes negative values one "-". Other keys that would type text are
// dropped; editing and navigation keys pass.
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

}  // namespace quarn
