#pragma once

#include <QTextCursor>
#include <functional>
#include <string>

#include "platform/qt/FramePacer.h"
#include "platform/qt/PaneBacklog.h"
#include "ui/RichTextBox.h"

class QPlainTextEdit;

namespace platform::qt {

// A pane's model shown in its document. The model's edits go in where the
// model made them (an append inserts at the end, the cut removes at the
// front), at most about once a frame while they stream in: a frame's edits
// arrive as one change. A whole new text goes in at once.
class PaneMirror {
public:
    // `live` is false once the form is gone: the model may no longer be read.
    PaneMirror(QPlainTextEdit& edit, const ui::RichTextBox& box, std::function<bool()> live);

    // What the model did; each waits for the frame unless the pacer takes it.
    void textSet();
    void edited(const ui::RichTextBox::Edit& e);
    void selectionSet();
    void refreshed();

    // Everything that waits, now.
    void flush();
    // The waiting edits now, but not the model's selection: the user has
    // just made one of their own, which Qt carries through the edits.
    void catchUp();
    // The model's whole state afresh; nothing that waited still applies.
    void showAll();
    // What code does in answer to the user until the event loop turns shows at once.
    void openTurn() { pacer_.openTurn(); }
    FramePacer& pacer() { return pacer_; }

    // The model text the document shows, and the edits it has still to take.
    const std::u16string& shown() const { return shown_; }
    const PaneBacklog& backlog() const { return backlog_; }
    // True while a change of ours goes into the document.
    bool applying() const { return applying_; }
    // The user replaced shown()[start, start + removed) in the document.
    void userChanged(std::size_t start, std::size_t removed, const std::u16string& inserted);
    // Text the user put in at `c` that the document does not have yet.
    void userInserts(QTextCursor& c, const std::u16string& text);

private:
    void later();
    void take(bool selection);
    void showText();
    void showEdits(const std::vector<PaneBacklog::Edit>& edits);
    bool showEdit(const PaneBacklog::Edit& e);
    void showSelection();
    void fixShownAt(std::size_t index);

    QPlainTextEdit& edit_;
    const ui::RichTextBox& box_;
    std::function<bool()> live_;
    FramePacer pacer_;
    PaneBacklog backlog_;
    std::u16string shown_;
    bool applying_ = false;
};

}  // namespace platform::qt
