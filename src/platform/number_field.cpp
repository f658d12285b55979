// The number-field key filter.
#include "number_field.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace quarn {

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

}  // namespace quarn
