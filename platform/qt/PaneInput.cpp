#include "platform/qt/PaneInput.h"

#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

#include "platform/qt/PaneEditor.h"
#include "platform/qt/PaneMirror.h"
#include "platform/qt/PaneText.h"
#include "ui/RichTextBox.h"

namespace platform::qt {

namespace {

QString DocumentText(QTextDocument* doc, int position, int length) {
    QTextCursor c(doc);
    c.setPosition(position);
    c.setPosition(position + length, QTextCursor::KeepAnchor);
    return c.selectedText();
}

}  // namespace

PaneInput::PaneInput(PaneEditor& edit, ui::RichTextBox& box, PaneMirror& mirror, std::function<bool()> live)
    : edit_(edit), box_(box), mirror_(mirror), live_(std::move(live)) {
    connect(edit_.document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) { edited(position, removed, added); });
    connect(&edit_, &QPlainTextEdit::cursorPositionChanged, this, [this] { caretMoved(); });
    connect(&edit_, &QPlainTextEdit::selectionChanged, this, [this] { caretMoved(); });
    edit_.hookClipboard([this](int from, int to) { return copied(from, to); },
                        [this](const QString& text) { pasted(text); });
}

// Only the characters the change really touched are taken from the
// document: the rest keep their model form (CR stays CR). A range that runs
// past the text is compared whole.
void PaneInput::edited(int position, int removed, int added) {
    if (mirror_.applying() || !live_()) return;
    const std::u16string& shown = mirror_.shown();
    QTextDocument* doc = edit_.document();
    const int length = doc->characterCount() - 1;
    auto pos = static_cast<std::size_t>(position);
    auto gone = static_cast<std::size_t>(removed);
    QString now;
    if (pos + gone > shown.size() || position + added > length) {
        pos = 0;
        gone = shown.size();
        now = DocumentText(doc, 0, length);
    } else {
        now = DocumentText(doc, position, added);
    }
    const auto came = static_cast<std::size_t>(now.size());
    const auto docAt = [&](std::size_t i) { return now.at(static_cast<qsizetype>(i)); };
    std::size_t head = 0;
    while (head < gone && head < came && PaneText::shownAt(shown, pos + head) == docAt(head)) ++head;
    std::size_t tail = 0;
    while (tail < gone - head && tail < came - head &&
           PaneText::shownAt(shown, pos + gone - 1 - tail) == docAt(came - 1 - tail))
        ++tail;
    if (head == gone && head == came) return;
    const std::size_t start = pos + head;
    const std::size_t cut = gone - head - tail;
    const std::u16string put =
        PaneText::fromDocument(now.mid(static_cast<qsizetype>(head), static_cast<qsizetype>(came - head - tail)));
    if (!mirror_.backlog().edits().empty()) {
        editedBehind(start, cut, put);
        return;
    }
    mirror_.userChanged(start, cut, put);
    QScopedValueRollback reporting(reporting_, true);
    box_.userEdit(static_cast<int>(start), static_cast<int>(cut), put);
}

// The document was behind the model (an edit that did not come through a
// key, a paste or a drop, such as the context menu's Delete): of what the
// user took away, only what the model still holds goes; what the user put
// in goes before the first character the user left after it. What waited
// to be shown stays, and the document is shown afresh.
void PaneInput::editedBehind(std::size_t start, std::size_t removed, const std::u16string& inserted) {
    constexpr std::size_t kNone = std::u16string::npos;
    const std::vector<std::size_t> places = mirror_.backlog().placesOf(mirror_.shown().size());
    std::size_t at = box_.text().size();
    for (std::size_t i = start + removed; i < places.size(); ++i) {
        if (places[i] != kNone) {
            at = places[i];
            break;
        }
    }
    QScopedValueRollback reporting(reporting_, true);
    for (std::size_t i = start + removed; i-- > start;) {  // from the back: the places before stay
        if (places[i] == kNone) continue;
        std::size_t first = places[i];
        std::size_t count = 1;
        for (; i > start && places[i - 1] != kNone && places[i - 1] + 1 == first; --i, --first) ++count;
        box_.userEdit(static_cast<int>(first), static_cast<int>(count), {});
        at -= count;
    }
    box_.userEdit(static_cast<int>(at), 0, inserted);
    mirror_.showAll();
}

// Pasted or dropped text goes in as it came: its CR LF, CR and LF are the
// pane's characters, shown by the line-break rule.
void PaneInput::pasted(const QString& text) {
    if (!live_()) return;
    mirror_.flush();
    QTextCursor c = edit_.textCursor();
    const int start = c.selectionStart();
    const int removed = c.selectionEnd() - start;
    const std::u16string in = text.toStdU16String();
    mirror_.userInserts(c, in);
    QScopedValueRollback reporting(reporting_, true);
    box_.userEdit(start, removed, in);
}

QString PaneInput::copied(int from, int to) const {
    const std::u16string& shown = mirror_.shown();
    const std::size_t a = std::min(static_cast<std::size_t>(std::max(from, 0)), shown.size());
    const std::size_t b = std::clamp(static_cast<std::size_t>(std::max(to, 0)), a, shown.size());
    return QString::fromStdU16String(shown.substr(a, b - a));
}

// Where the document is behind, Qt carries the user's selection through the
// waiting edits as they go in: it then stands at the model's positions.
void PaneInput::caretMoved() {
    if (mirror_.applying() || reporting_ || !live_()) return;
    if (!mirror_.backlog().edits().empty()) mirror_.catchUp();
    skipHiddenLf();
    const QTextCursor c = edit_.textCursor();
    QScopedValueRollback reporting(reporting_, true);
    box_.userSelect(c.selectionStart(), c.selectionEnd() - c.selectionStart());
}

// The LF of a CR LF shows as nothing and is no caret stop of its own: a
// caret put just before it goes past it, or, stepping back from just after
// it, before the CR.
void PaneInput::skipHiddenLf() {
    QTextCursor c = edit_.textCursor();
    const int at = c.position();
    if (edit_.document()->characterAt(at) != QChar(PaneText::kHiddenLf)) return;
    const bool back = box_.selStart() + box_.selLength() == at + 1 && QGuiApplication::mouseButtons() == Qt::NoButton;
    c.setPosition(back ? at - 1 : at + 1, c.hasSelection() ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    QScopedValueRollback moving(reporting_, true);  // not a move of the user's
    edit_.setTextCursor(c);
}

}  // namespace platform::qt
