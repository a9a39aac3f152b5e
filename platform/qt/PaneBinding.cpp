#include "platform/qt/PaneBinding.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <utility>

#include "platform/qt/FontMapper.h"
#include "platform/qt/FormView.h"
#include "platform/qt/PaneScrollStyle.h"
#include "platform/qt/PaneText.h"
#include "ui/RichTextBox.h"

namespace platform::qt {

namespace {

class Flag {
public:
    explicit Flag(bool& f) : f_(f) { f_ = true; }
    ~Flag() { f_ = false; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& f_;
};

QString DocumentText(QTextDocument* doc, int position, int length) {
    QTextCursor c(doc);
    c.setPosition(position);
    c.setPosition(position + length, QTextCursor::KeepAnchor);
    return c.selectedText();
}

// About what a screen shows a second; the poll tick may change a pane 200 times.
constexpr int kFrameMs = 16;
// How long a streamed change may wait for the next one. A scrolling log
// drawn every second or third frame looks the same and costs far less; with
// the 5 ms poll ahead of it, no received byte waits more than about 50 ms
// to be shown.
constexpr int kStreamMs = 40;

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
      pacer_(kStreamMs, [this] { flush(); }),
      throttle_(*edit_, *edit_->viewport(), kFrameMs) {
    // The model's appends must not pile up as undo steps the user could revert.
    edit_->setUndoRedoEnabled(false);
    auto* scrollStyle = new PaneScrollStyle(edit_);
    edit_->verticalScrollBar()->setStyle(scrollStyle);
    edit_->horizontalScrollBar()->setStyle(scrollStyle);
    connect(edit_->document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) { userEdited(position, removed, added); });
    connect(edit_, &QPlainTextEdit::cursorPositionChanged, this, [this] { reportCaret(); });
    edit_->hookClipboard([this](int from, int to) { return shownText(from, to); },
                         [this](const QString& text) { userPastes(text); });
    // Mouse input goes to the viewport, not to the editor.
    edit_->viewport()->installEventFilter(this);
}

void PaneBinding::applyAllOwn() {
    showFont();
    // The whole state is shown afresh: nothing that waited still applies.
    backlog_ = PaneBacklog{};
    pacer_.settle();
    showText();
    showSelection();
}

bool PaneBinding::applyOwn(ui::Prop prop) {
    switch (prop) {
        case ui::Prop::Text:
            if (reporting_) return true;
            if (keptTail()) return true;
            backlog_.dropEdits();
            flush();
            if (box_.text() != shown_) showText();
            return true;
        case ui::Prop::Edit:
        case ui::Prop::Selection:
            if (!reporting_) later(prop);
            return true;
        case ui::Prop::Refresh:
            later(prop);
            return true;
        case ui::Prop::Font:
            showFont();
            return true;
        case ui::Prop::Focus:
            flush();
            edit_->setFocus();
            return true;
        case ui::Prop::Enabled:
        case ui::Prop::Visible:
            flush();
            return false;
        default:
            return false;
    }
}

void PaneBinding::later(ui::Prop prop) {
    if (prop == ui::Prop::Edit) {
        const ui::RichTextBox::Edit& e = box_.lastEdit();
        backlog_.addEdit(static_cast<std::size_t>(e.start), static_cast<std::size_t>(e.removed), e.inserted);
    } else if (prop == ui::Prop::Selection) {
        backlog_.markSelection();
    } else {
        backlog_.markRefresh();
    }
    if (pacer_.admit()) flush();
}

// A text that keeps only the end of the one before it (the receive pane's
// cut) is taken as a removal at the front, paced with the appends around it:
// the document keeps the lines it laid out instead of laying out all again.
bool PaneBinding::keptTail() {
    const std::u16string before = backlog_.appliedTo(shown_);
    const std::u16string& now = box_.text();
    if (now.empty() || now.size() >= before.size()) return false;
    if (before.compare(before.size() - now.size(), now.size(), now) != 0) return false;
    backlog_.cutFront(before.size() - now.size(), shown_.size());
    if (pacer_.admit()) flush();
    return true;
}

void PaneBinding::flush() {
    pacer_.settle();
    if (backlog_.empty() || !live()) return;
    throttle_.beforeChange();
    const PaneBacklog due = std::exchange(backlog_, PaneBacklog{});
    showEdits(due.edits());
    if (shown_ != box_.text()) showText();
    if (due.selection()) showSelection();
    if (due.refresh()) {
        edit_->ensureCursorVisible();
        edit_->viewport()->update();
    }
}

// Received text needs no ligatures or kerning, and shaping it costs more
// than anything else a pane does while text streams in.
void PaneBinding::showFont() {
    // Without a font of its own the pane keeps taking the form's.
    QFont f = control().font().name.empty() ? QFont() : FontMapper::toQFont(control().font());
    f.setStyleStrategy(QFont::PreferNoShaping);
    edit_->setFont(f);
}

void PaneBinding::showText() {
    throttle_.beforeChange();
    Flag applying(applying_);
    edit_->setPlainText(PaneText::toDocument(box_.text()));
    shown_ = box_.text();
}

// A frame's edits (the front cut and the appends) reach the document as one
// change: it lays out and tells the view once, and no caret position is
// worked out between them. Its signals come at the block's end, still ours.
// An edit that no longer fits stops there; the caller then sets the text whole.
void PaneBinding::showEdits(const std::vector<PaneBacklog::Edit>& edits) {
    if (edits.empty()) return;
    Flag applying(applying_);
    QTextCursor block(edit_->document());
    block.beginEditBlock();
    for (const PaneBacklog::Edit& e : edits)
        if (!showEdit(e)) break;
    block.endEditBlock();
}

// One insertion or replacement where the model made it; false when it
// reaches past the text shown.
bool PaneBinding::showEdit(const PaneBacklog::Edit& e) {
    if (e.start + e.removed > shown_.size()) return false;
    const int start = static_cast<int>(e.start);
    QTextCursor c(edit_->document());
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

// The character after an edit may show differently now (a CR LF pair was
// made or broken): it is redrawn on its own.
void PaneBinding::fixShownAt(std::size_t index) {
    if (index >= shown_.size()) return;
    const QChar want = PaneText::shownAt(shown_, index);
    const int pos = static_cast<int>(index);
    if (edit_->document()->characterAt(pos) == want) return;
    // In behind the old one first, so a caret just before it stays there.
    QTextCursor c(edit_->document());
    c.setPosition(pos + 1);
    c.insertText(QString(want));
    c.setPosition(pos);
    c.setPosition(pos + 1, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

void PaneBinding::showSelection() {
    const int last = edit_->document()->characterCount() - 1;
    const int start = std::min(box_.selStart(), last);
    const int end = std::min(box_.selStart() + box_.selLength(), last);
    QTextCursor c = edit_->textCursor();
    if (c.anchor() == start && c.position() == end) return;
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    Flag applying(applying_);
    edit_->setTextCursor(c);
}

// Only the characters the change really touched are taken from the
// document: the rest keep their model form (CR stays CR). A range that runs
// past the text is compared whole.
void PaneBinding::userEdited(int position, int removed, int added) {
    if (applying_ || !live()) return;
    QTextDocument* doc = edit_->document();
    const int length = doc->characterCount() - 1;
    auto pos = static_cast<std::size_t>(position);
    auto gone = static_cast<std::size_t>(removed);
    QString now;
    if (pos + gone > shown_.size() || position + added > length) {
        pos = 0;
        gone = shown_.size();
        now = DocumentText(doc, 0, length);
    } else {
        now = DocumentText(doc, position, added);
    }
    const auto came = static_cast<std::size_t>(now.size());
    const auto docAt = [&](std::size_t i) { return now.at(static_cast<qsizetype>(i)); };
    std::size_t head = 0;
    while (head < gone && head < came && PaneText::shownAt(shown_, pos + head) == docAt(head)) ++head;
    std::size_t tail = 0;
    while (tail < gone - head && tail < came - head &&
           PaneText::shownAt(shown_, pos + gone - 1 - tail) == docAt(came - 1 - tail))
        ++tail;
    if (head == gone && head == came) return;
    const QString middle = now.mid(static_cast<qsizetype>(head), static_cast<qsizetype>(came - head - tail));
    shown_.replace(pos + head, gone - head - tail, PaneText::fromDocument(middle));
    {
        // What the user put in, and the character after it, show by the
        // same line-break rule as an append.
        Flag applying(applying_);
        for (std::size_t i = pos + head; i <= pos + head + static_cast<std::size_t>(middle.size()); ++i) fixShownAt(i);
    }
    Flag reporting(reporting_);
    box_.userSetText(shown_, edit_->textCursor().position());
}

// Pasted or dropped text goes in as it came: its CR LF, CR and LF are the
// pane's characters, shown by the line-break rule.
void PaneBinding::userPastes(const QString& text) {
    if (!live()) return;
    flush();
    const std::u16string in = text.toStdU16String();
    QTextCursor c = edit_->textCursor();
    const auto start = static_cast<std::size_t>(c.selectionStart());
    const auto removed = static_cast<std::size_t>(c.selectionEnd()) - start;
    {
        Flag applying(applying_);
        c.insertText(PaneText::toDocument(in, start > 0 ? shown_[start - 1] : char16_t{0}));
        shown_.replace(start, removed, in);
        fixShownAt(start + in.size());
        edit_->setTextCursor(c);
    }
    Flag reporting(reporting_);
    box_.userSetText(shown_, c.position());
}

QString PaneBinding::shownText(int from, int to) const {
    const std::size_t a = std::min(static_cast<std::size_t>(std::max(from, 0)), shown_.size());
    const std::size_t b = std::clamp(static_cast<std::size_t>(std::max(to, 0)), a, shown_.size());
    return QString::fromStdU16String(shown_.substr(a, b - a));
}

void PaneBinding::reportCaret() {
    if (applying_ || reporting_ || !live()) return;
    skipHiddenLf();
    Flag reporting(reporting_);
    box_.userSetText(shown_, edit_->textCursor().position());
}

// The LF of a CR LF shows as nothing and is no caret stop of its own: a
// caret put just before it goes past it, or, stepping back from just after
// it, before the CR.
void PaneBinding::skipHiddenLf() {
    QTextCursor c = edit_->textCursor();
    const int at = c.position();
    if (edit_->document()->characterAt(at) != QChar(PaneText::kHiddenLf)) return;
    const bool back = box_.selStart() + box_.selLength() == at + 1 && QGuiApplication::mouseButtons() == Qt::NoButton;
    c.setPosition(back ? at - 1 : at + 1, c.hasSelection() ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    Flag applying(applying_);
    edit_->setTextCursor(c);
}

bool PaneBinding::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == edit_ || watched == edit_->viewport()) && UserTouches(event->type())) {
        flush();
        pacer_.openTurn();
    }
    if (watched == edit_ && live() && keys_.route(*edit_, event)) return true;
    return Binding::eventFilter(watched, event);
}

}  // namespace platform::qt
