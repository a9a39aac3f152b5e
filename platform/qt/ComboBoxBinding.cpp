#include "platform/qt/ComboBoxBinding.h"

#include <QSignalBlocker>

#include "platform/qt/FormView.h"
#include "ui/ComboBox.h"

namespace platform::qt {

// `activated` comes from the user only. The widget shows the model's entry
// afterwards: a selection the model refused (a disabled form) is undone.
ComboBoxBinding::ComboBoxBinding(FormView& view, ui::ComboBox& combo)
    : Binding(view, combo, new QComboBox(&view)), combo_(combo), list_(static_cast<QComboBox*>(widget())) {
    list_->setEditable(false);
    list_->setMaxVisibleItems(20);
    connect(list_, &QComboBox::activated, this, [this](int index) {
        if (!live()) return;
        combo_.userSelect(index);
        if (live()) showIndex();
    });
}

void ComboBoxBinding::applyAllOwn() {
    showList();
}

bool ComboBoxBinding::applyOwn(ui::Prop prop) {
    if (prop == ui::Prop::List) {
        showList();
        return true;
    }
    if (prop == ui::Prop::ListIndex) {
        showIndex();
        return true;
    }
    return false;
}

void ComboBoxBinding::showList() {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const std::u16string& item : combo_.items()) list_->addItem(QString::fromStdU16String(item));
    list_->setCurrentIndex(combo_.listIndex());
}

void ComboBoxBinding::showIndex() {
    if (list_->currentIndex() == combo_.listIndex()) return;
    const QSignalBlocker quiet(list_);
    list_->setCurrentIndex(combo_.listIndex());
}

}  // namespace platform::qt
