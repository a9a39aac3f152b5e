#include "platform/qt/PaneBinding.h"

#include <QEvent>
#include <QScrollBar>

#include "platform/qt/FontMapper.h"
#include "platform/qt/FormView.h"
#include "platform/qt/PaneScrollStyle.h"
#include "ui/RichTextBox.h"

namespace platform::qt {

namespace {

// What the user does to a pane: the pane must show the model's text first,
// and what the model does in answer is shown at once.
bool UserTouches(QEvent::Type t) {
    switch (t) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::Drop:
        case QEvent::FocusIn:
        case QEvent::Hide:
            return true;
        default:
            return false;
    }
}

}  // namespace

PaneBinding::PaneBinding(FormView& view, ui::RichTextBox& box)
    : Binding(view, box, new PaneEditor(&view)),
      box_(box),
      edit_(static_cast<PaneEditor*>(widget())),
      keys_([this](std::int16_t code) -> std::int16_t {
          if (!live()) return 0;
          const std::int16_t left = box_.userKeyPress(code);
          return live() ? left : 0;
      }),
      mirror_(*edit_, box, [this] { return live(); }),
      input_(*edit_, box, mirror_, [this] { return live(); }) {
    // The model's appends must not pile up as undo steps the user could revert.
    edit_->setUndoRedoEnabled(false);
    auto* scrollStyle = new PaneScrollStyle(edit_);
    edit_->verticalScrollBar()->setStyle(scrollStyle);
    edit_->horizontalScrollBar()->setStyle(scrollStyle);
    // Mouse input goes to the viewport, not to the editor.
    edit_->viewport()->installEventFilter(this);
}

void PaneBinding::applyAllOwn() {
    showFont();
    mirror_.showAll();
}

// What the user's own act did to the model is in the document already.
bool PaneBinding::applyOwn(ui::Prop prop) {
    switch (prop) {
        case ui::Prop::Text:
            if (!input_.reporting()) mirror_.textSet();
            return true;
        case ui::Prop::Edit:
            if (!input_.reporting()) mirror_.edited(box_.lastEdit());
            return true;
        case ui::Prop::Selection:
            if (!input_.reporting()) mirror_.selectionSet();
            return true;
        case ui::Prop::Refresh:
            mirror_.refreshed();
            return true;
        case ui::Prop::Font:
            showFont();
            return true;
        case ui::Prop::Focus:
            mirror_.flush();
            edit_->setFocus();
            return true;
        case ui::Prop::Enabled:
        case ui::Prop::Visible:
            mirror_.flush();
            return false;
        default:
            return false;
    }
}

// The thread is about to block: what waits for the next frame is shown and
// painted now, as it would have been had the frame ended first.
void PaneBinding::showNow() {
    if (!live()) return;
    mirror_.flush();
    edit_->repaint();
}

// Received text needs no ligatures or kerning, and shaping it costs more
// than anything else a pane does while text streams in.
void PaneBinding::showFont() {
    // Without a font of its own the pane keeps taking the form's.
    QFont f = control().font().name.empty() ? QFont() : FontMapper::toQFont(control().font());
    f.setStyleStrategy(QFont::PreferNoShaping);
    edit_->setFont(f);
}

bool PaneBinding::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == edit_ || watched == edit_->viewport()) && UserTouches(event->type())) {
        mirror_.flush();
        mirror_.openTurn();
    }
    if (watched == edit_ && live() && keys_.route(*edit_, event)) return true;
    return Binding::eventFilter(watched, event);
}

}  // namespace platform::qt
