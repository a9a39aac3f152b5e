#include "platform/qt/TextBoxBinding.h"

#include "platform/qt/FormView.h"
#include "ui/TextBox.h"

namespace platform::qt {

// `textEdited` comes from the user only, so text the model sets is never
// reported back as typing.
TextBoxBinding::TextBoxBinding(FormView& view, ui::TextBox& box)
    : Binding(view, box, new QLineEdit(&view)),
      box_(box),
      line_(static_cast<QLineEdit*>(widget())),
      keys_([this](std::int16_t code) -> std::int16_t {
          if (!live()) return 0;
          const std::int16_t left = box_.userKeyPress(code);
          return live() ? left : 0;
      }) {
    line_->setMaxLength(box.maxLength() > 0 ? box.maxLength() : 32767);
    connect(line_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (live()) box_.userSetText(text.toStdU16String());
    });
}

void TextBoxBinding::applyAllOwn() {
    showText();
}

bool TextBoxBinding::applyOwn(ui::Prop prop) {
    if (prop != ui::Prop::Text) return false;
    showText();
    return true;
}

void TextBoxBinding::showText() {
    const QString text = QString::fromStdU16String(box_.text());
    if (line_->text() != text) line_->setText(text);
}

bool TextBoxBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == line_ && live() && keys_.route(*line_, event)) return true;
    return Binding::eventFilter(watched, event);
}

}  // namespace platform::qt
