// The number-field key filter and the memory of what a field was filled with.
#include "number_field.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVariant>

#include "model/motion.h"

namespace quarn {
namespace {

// Kept on the field itself, so that every dialog's fields carry their own.
constexpr char ShownTextProperty[] = "quarnShownText";
constexpr char ShownValueProperty[] = "quarnShownValue";

}  // namespace

NumberKeyFilter::NumberKeyFilter(NumberFieldRule rule, QObject* parent)
    : QObject(parent), rule_(rule) {}

void NumberKeyFilter::install(QLineEdit* field, NumberFieldRule rule) {
    field->installEventFilter(new NumberKeyFilter(rule, field));
}

bool NumberKeyFilter::accepts(const QString& text, const QString& typed, NumberFieldRule rule) {
    if (typed.size() != 1) return false;
    const QChar c = typed.front();
    if (c.isDigit() && c.unicode() < 128) return true;
    if (c == QLatin1Char('.')) return !text.contains(QLatin1Char('.'));
    if (c == QLatin1Char('-')) return rule.allowMinus && !text.contains(QLatin1Char('-'));
    return false;
}

bool NumberKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return rule_.swallowEnter;
    // Shortcuts (copy, paste, select all) and keys that type nothing pass through.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.front().isPrint()) return false;
    auto* field = qobject_cast<QLineEdit*>(watched);
    QString text = field ? field->text() : QString();
    // Typing replaces the selection, so a selected "." or "-" may be typed again.
    if (field && field->hasSelectedText())
        text.remove(field->selectionStart(), field->selectedText().size());
    return !accepts(text, typed, rule_);
}

void showNumber(QLineEdit* field, const QString& text, double stored) {
    // Setting the same text again would move the cursor of a field being looked at.
    if (field->text() != text) field->setText(text);
    field->setProperty(ShownTextProperty, text);
    field->setProperty(ShownValueProperty, stored);
}

bool numberEdited(const QLineEdit* field) {
    const QVariant shown = field->property(ShownTextProperty);
    return !shown.isValid() || shown.toString() != field->text();
}

double fieldNumber(const QLineEdit* field) {
    if (!numberEdited(field)) return field->property(ShownValueProperty).toDouble();
    return leadingNumber(field->text().trimmed().toStdString());
}

}  // namespace quarn
