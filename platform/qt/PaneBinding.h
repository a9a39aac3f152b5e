#pragma once

#include <QPlainTextEdit>

#include "platform/qt/Binding.h"
#include "platform/qt/KeyRouter.h"
#include "platform/qt/PaneEditor.h"
#include "platform/qt/PaneInput.h"
#include "platform/qt/PaneMirror.h"

namespace ui {
class RichTextBox;
}

namespace platform::qt {

// One of the two panes: what the model does goes to the document through
// the mirror, paced to frames while text streams in; what the user does goes
// to the model through the input. Whatever the user does to the pane first
// brings it up to date, and what the model does in answer shows at once.
class PaneBinding : public Binding {
public:
    PaneBinding(FormView& view, ui::RichTextBox& box);

    QPlainTextEdit* editor() const { return edit_; }
    FramePacer& pacer() { return mirror_.pacer(); }
    void showNow() override;

protected:
    bool applyOwn(ui::Prop prop) override;
    void applyAllOwn() override;
    std::vector<QPalette::ColorRole> backRoles() const override { return {QPalette::Base}; }
    std::vector<QPalette::ColorRole> foreRoles() const override { return {QPalette::Text}; }
    bool paintsOwnBackground() const override { return true; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFont();

    ui::RichTextBox& box_;
    PaneEditor* edit_;
    KeyRouter keys_;
    PaneMirror mirror_;
    PaneInput input_;
};

}  // namespace platform::qt
