#pragma once

#include <QPlainTextEdit>
#include <string>

#include "platform/qt/Binding.h"
#include "platform/qt/KeyRouter.h"
#include "platform/qt/PaintThrottle.h"

namespace ui {
class RichTextBox;
}

namespace platform::qt {

// One of the two panes. The model's edits go into the document as they are
// made (an append inserts at the end; the text is never set again whole),
// and the user's edits come back as text and caret.
class PaneBinding : public Binding {
public:
    PaneBinding(FormView& view, ui::RichTextBox& box);

    QPlainTextEdit* editor() const { return edit_; }

protected:
    bool applyOwn(ui::Prop prop) override;
    void applyAllOwn() override;
    std::vector<QPalette::ColorRole> backRoles() const override { return {QPalette::Base}; }
    std::vector<QPalette::ColorRole> foreRoles() const override { return {QPalette::Text}; }
    bool paintsOwnBackground() const override { return true; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showText();
    void showEdit();
    void showSelection();
    void fixShownAt(std::size_t index);
    void userEdited(int position, int removed, int added);
    void reportCaret();

    ui::RichTextBox& box_;
    QPlainTextEdit* edit_;
    KeyRouter keys_;
    PaintThrottle throttle_;
    std::u16string shown_;    // the model text the document shows
    bool applying_ = false;   // a model change is going into the document
    bool reporting_ = false;  // a user edit is going into the model
};

}  // namespace platform::qt
