#include "platform/qt/PaneMirror.h"

#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextDocument>
#include <utility>

#include "platform/qt/PaneText.h"

namespace platform::qt {

namespace {

// How long a streamed change may wait for the next one. A scrolling log
// drawn every second or third frame of a screen looks the same and costs
// far less; with the 5 ms poll ahead of it, no received byte waits more
// than about 50 ms to be shown.
constexpr int kFrameMs = 40;

}  // namespace

PaneMirror::PaneMirror(QPlainTextEdit& edit, const ui::RichTextBox& box, std::function<bool()> live)
    : edit_(edit), box_(box), live_(std::move(live)), pacer_(kFrameMs, [this] { flush(); }) {}

void PaneMirror::textSet() {
    backlog_.dropEdits();
    flush();
    if (live_() && box_.text() != shown_) showText();
}

// A removal at the front (the cut) may shorten an append that waits, so the
// document never takes text only to lose it again in the same frame.
void PaneMirror::edited(const ui::RichTextBox::Edit& e) {
    const auto start = static_cast<std::size_t>(e.start);
    const auto removed = static_cast<std::size_t>(e.removed);
    if (start == 0 && removed > 0 && e.inserted.empty())
        backlog_.cutFront(removed, shown_.size());
    else
        backlog_.addEdit(start, removed, e.inserted);
    later();
}

void PaneMirror::selectionSet() {
    backlog_.markSelection();
    later();
}

void PaneMirror::refreshed() {
    backlog_.markRefresh();
    later();
}

void PaneMirror::later() {
    if (pacer_.admit()) flush();
}

void PaneMirror::flush() {
    take(true);
}

void PaneMirror::catchUp() {
    take(false);
}

void PaneMirror::take(bool selection) {
    pacer_.settle();
    if (backlog_.empty() || !live_()) return;
    const PaneBacklog due = std::exchange(backlog_, PaneBacklog{});
    showEdits(due.edits());
    if (shown_ != box_.text()) showText();
    if (selection && due.selection()) showSelection();
    if (due.refresh()) {
        edit_.ensureCursorVisible();
        edit_.viewport()->update();
    }
}

void PaneMirror::showAll() {
    backlog_ = PaneBacklog{};
    pacer_.settle();
    showText();
    showSelection();
}

void PaneMirror::showText() {
    QScopedValueRollback applying(applying_, true);
    edit_.setPlainText(PaneText::toDocument(box_.text()));
    shown_ = box_.text();
}

// A frame's edits (the front cut and the appends) reach the document as one
// change: it lays out and tells the view once, and no caret position is
// worked out between them. Its signals come at the block's end, still ours.
// An edit that no longer fits stops there; the caller then sets the text whole.
void PaneMirror::showEdits(const std::vector<PaneBacklog::Edit>& edits) {
    if (edits.empty()) return;
    QScopedValueRollback applying(applying_, true);
    QTextCursor block(edit_.document());
    block.beginEditBlock();
    for (const PaneBacklog::Edit& e : edits)
        if (!showEdit(e)) break;
    block.endEditBlock();
}

// One insertion or replacement where the model made it; false when it
// reaches past the text shown.
bool PaneMirror::showEdit(const PaneBacklog::Edit& e) {
    if (e.start + e.removed > shown_.size()) return false;
    const int start = static_cast<int>(e.start);
    QTextCursor c(edit_.document());
    c.setPosition(start);
    c.setPosition(start + static_cast<int>(e.removed), QTextCursor::KeepAnchor);
    if (e.inserted.empty())
        c.removeSelectedText();
    else
        c.insertText(PaneText::toDocument(e.inserted, e.start > 0 ? shown_[e.start - 1] : char16_t{0}));
    shown_.replace(e.start, e.removed, e.inserted);
    fixShownAt(e.start + e.inserted.size());
    return true;
}

void PaneMirror::showSelection() {
    const int last = edit_.document()->characterCount() - 1;
    const int start = std::min(box_.selStart(), last);
    const int end = std::min(box_.selStart() + box_.selLength(), last);
    QTextCursor c = edit_.textCursor();
    if (c.anchor() == start && c.position() == end) return;
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    QScopedValueRollback applying(applying_, true);
    edit_.setTextCursor(c);
}

// The character after an edit may show differently now (a CR LF pair was
// made or broken): it is redrawn on its own.
void PaneMirror::fixShownAt(std::size_t index) {
    if (index >= shown_.size()) return;
    const QChar want = PaneText::shownAt(shown_, index);
    const int pos = static_cast<int>(index);
    if (edit_.document()->characterAt(pos) == want) return;
    // In behind the old one first, so a caret just before it stays there.
    QTextCursor c(edit_.document());
    c.setPosition(pos + 1);
    c.insertText(QString(want));
    c.setPosition(pos);
    c.setPosition(pos + 1, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

// What the user put in, and the character after it, show by the same
// line-break rule as an append.
void PaneMirror::userChanged(std::size_t start, std::size_t removed, const std::u16string& inserted) {
    shown_.replace(start, removed, inserted);
    QScopedValueRollback applying(applying_, true);
    for (std::size_t i = start; i <= start + inserted.size(); ++i) fixShownAt(i);
}

void PaneMirror::userInserts(QTextCursor& c, const std::u16string& text) {
    const auto start = static_cast<std::size_t>(c.selectionStart());
    const auto removed = static_cast<std::size_t>(c.selectionEnd()) - start;
    QScopedValueRollback applying(applying_, true);
    c.insertText(PaneText::toDocument(text, start > 0 ? shown_[start - 1] : char16_t{0}));
    shown_.replace(start, removed, text);
    fixShownAt(start + text.size());
    edit_.setTextCursor(c);
}

}  // namespace platform::qt
