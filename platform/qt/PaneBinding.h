#pragma once

#include <QPlainTextEdit>
#include <string>

#include "platform/qt/Binding.h"
#include "platform/qt/FramePacer.h"
#include "platform/qt/KeyRouter.h"
#include "platform/qt/PaintThrottle.h"
#include "platform/qt/PaneBacklog.h"
#include "platform/qt/PaneEditor.h"

namespace ui {
class RichTextBox;
}

namespace platform::qt {

// One of the two panes. The model's edits go into the document in place (an
// append inserts at the end; the text is set again whole only when the model
// sets it whole), at most about once a frame while they stream in: a run of
// appends arrives as one insertion. The user's edits come back as text and
// caret; whatever the user does to the pane first brings it up to date.
class PaneBinding : public Binding {
public:
    PaneBinding(FormView& view, ui::RichTextBox& box);

    QPlainTextEdit* editor() const { return edit_; }
    // Brings the document up to the model now.
    void flush();

protected:
    bool applyOwn(ui::Prop prop) override;
    void applyAllOwn() override;
    std::vector<QPalette::ColorRole> backRoles() const override { return {QPalette::Base}; }
    std::vector<QPalette::ColorRole> foreRoles() const override { return {QPalette::Text}; }
    bool paintsOwnBackground() const override { return true; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void later(ui::Prop prop);
    bool keptTail();
    void showFont();
    void showText();
    void showEdits(const std::vector<PaneBacklog::Edit>& edits);
    bool showEdit(const PaneBacklog::Edit& e);
    void showSelection();
    void fixShownAt(std::size_t index);
    void userEdited(int position, int removed, int added);
    void userPastes(const QString& text);
    QString shownText(int from, int to) const;
    void reportCaret();
    void skipHiddenLf();

    ui::RichTextBox& box_;
    PaneEditor* edit_;
    KeyRouter keys_;
    FramePacer pacer_;
    PaintThrottle throttle_;  // a whole new text may still come every tick
    PaneBacklog backlog_;
    std::u16string shown_;    // the model text the document shows
    bool applying_ = false;   // a model change is going into the document
    bool reporting_ = false;  // a user edit is going into the model
};

}  // namespace platform::qt
