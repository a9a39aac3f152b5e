#include "platform/qt/PaneBinding.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/qt/FormView.h"
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

bool ShowsContent(ui::Prop prop) {
    return prop == ui::Prop::Text || prop == ui::Prop::Edit || prop == ui::Prop::Selection || prop == ui::Prop::Refresh;
}

}  // namespace

PaneBinding::PaneBinding(FormView& view, ui::RichTextBox& box)
    : Binding(view, box, new QPlainTextEdit(&view)),
      box_(box),
      edit_(static_cast<QPlainTextEdit*>(widget())),
      keys_([this](std::int16_t code) -> std::int16_t {
          if (!live()) return 0;
          const std::int16_t left = box_.userKeyPress(code);
          return live() ? left : 0;
      }),
      throttle_(*edit_, *edit_->viewport(), kFrameMs) {
    // The model's appends must not pile up as undo steps the user could revert.
    edit_->setUndoRedoEnabled(false);
    connect(edit_->document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) { userEdited(position, removed, added); });
    connect(edit_, &QPlainTextEdit::cursorPositionChanged, this, [this] { reportCaret(); });
}

void PaneBinding::applyAllOwn() {
    showText();
    showSelection();
}

bool PaneBinding::applyOwn(ui::Prop prop) {
    if (!reporting_ && ShowsContent(prop)) throttle_.beforeChange();
    switch (prop) {
        case ui::Prop::Text:
            if (!reporting_ && box_.text() != shown_) showText();
            return true;
        case ui::Prop::Edit:
            if (!reporting_) showEdit();
            return true;
        case ui::Prop::Selection:
            if (!reporting_) showSelection();
            return true;
        case ui::Prop::Refresh:
            edit_->ensureCursorVisible();
            edit_->viewport()->update();
            return true;
        case ui::Prop::Focus:
            edit_->setFocus();
            return true;
        default:
            return false;
    }
}

void PaneBinding::showText() {
    Flag applying(applying_);
    edit_->setPlainText(PaneText::toDocument(box_.text()));
    shown_ = box_.text();
}

// One insertion or replacement where the model made it.
void PaneBinding::showEdit() {
    const ui::RichTextBox::Edit& e = box_.lastEdit();
    const auto start = static_cast<std::size_t>(e.start);
    const auto removed = static_cast<std::size_t>(e.removed);
    if (start + removed > shown_.size()) return showText();
    {
        Flag applying(applying_);
        QTextCursor c(edit_->document());
        c.setPosition(e.start);
        c.setPosition(e.start + e.removed, QTextCursor::KeepAnchor);
        if (e.inserted.empty())
            c.removeSelectedText();
        else
            c.insertText(PaneText::toDocument(e.inserted, start > 0 ? shown_[start - 1] : char16_t{0}));
        shown_.replace(start, removed, e.inserted);
        fixShownAt(start + e.inserted.size());
    }
    if (shown_ != box_.text()) showText();
}

// The character after an edit may show differently now (a CR LF pair was
// made or broken): it is redrawn on its own.
void PaneBinding::fixShownAt(std::size_t index) {
    if (index >= shown_.size()) return;
    const QChar want = PaneText::shownAt(shown_, index);
    const int pos = static_cast<int>(index);
    if (edit_->document()->characterAt(pos) == want) return;
    QTextCursor c(edit_->document());
    c.setPosition(pos);
    c.setPosition(pos + 1, QTextCursor::KeepAnchor);
    c.insertText(QString(want));
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
    Flag reporting(reporting_);
    box_.userSetText(shown_, edit_->textCursor().position());
}

void PaneBinding::reportCaret() {
    if (applying_ || reporting_ || !live()) return;
    Flag reporting(reporting_);
    box_.userSetText(shown_, edit_->textCursor().position());
}

bool PaneBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && live() && keys_.route(*edit_, event)) return true;
    return Binding::eventFilter(watched, event);
}

}  // namespace platform::qt
