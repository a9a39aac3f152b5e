#include "platform/qt/KeyRouter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

#include "platform/qt/KeyTranslator.h"

namespace platform::qt {

bool KeyRouter::route(QWidget& widget, QEvent* event) {
    if (delivering_) return false;
    if (event->type() == QEvent::KeyPress) return keyPress(widget, event);
    if (event->type() == QEvent::InputMethod) return inputMethod(widget, event);
    return false;
}

bool KeyRouter::keyPress(QWidget& widget, QEvent* event) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<std::int16_t> code = KeyTranslator::code(*key);
    if (!code) return false;
    const std::int16_t left = press_(*code);
    if (left == *code) return false;
    if (left != 0) {
        QKeyEvent replacement(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, KeyTranslator::text(left));
        deliver(widget, replacement);
    }
    return true;
}

// Text from an input method (how Chinese is usually typed) raises KeyPress
// once a character, as typing it key by key would.
bool KeyRouter::inputMethod(QWidget& widget, QEvent* event) {
    const auto* im = static_cast<QInputMethodEvent*>(event);
    const QString committed = im->commitString();
    if (committed.isEmpty()) return false;
    QString kept;
    bool changed = false;
    for (QChar ch : committed) {
        const std::int16_t code = KeyTranslator::charCode(ch.unicode());
        const std::int16_t left = press_(code);
        if (left == code) {
            kept += ch;
        } else {
            changed = true;
            if (left != 0) kept += KeyTranslator::text(left);
        }
    }
    if (!changed) return false;
    QInputMethodEvent replacement(im->preeditString(), im->attributes());
    replacement.setCommitString(kept, im->replacementStart(), im->replacementLength());
    deliver(widget, replacement);
    return true;
}

void KeyRouter::deliver(QWidget& widget, QEvent& replacement) {
    delivering_ = true;
    QCoreApplication::sendEvent(&widget, &replacement);
    delivering_ = false;
}

}  // namespace platform::qt
