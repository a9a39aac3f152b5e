#include "platform/qt/PaneEditor.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTextCursor>

namespace platform::qt {

PaneEditor::PaneEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    // The chunk being sent is selected in a pane that has no focus; an
    // unfocused pane hides its selection rather than show it moving on.
    QPalette p = palette();
    p.setBrush(QPalette::Inactive, QPalette::Highlight, QBrush());
    p.setBrush(QPalette::Inactive, QPalette::HighlightedText, QBrush());
    setPalette(p);
}

void PaneEditor::hookClipboard(Copy copy, Paste paste) {
    copy_ = std::move(copy);
    paste_ = std::move(paste);
}

QMimeData* PaneEditor::createMimeDataFromSelection() const {
    if (!copy_) return QPlainTextEdit::createMimeDataFromSelection();
    const QTextCursor c = textCursor();
    auto* data = new QMimeData;
    data->setText(copy_(c.selectionStart(), c.selectionEnd()));
    return data;
}

void PaneEditor::insertFromMimeData(const QMimeData* source) {
    if (!paste_ || !source->hasText()) return QPlainTextEdit::insertFromMimeData(source);
    paste_(source->text());
    ensureCursorVisible();
}

// A drop is a paste at the drop point, not one edit with the drag's removal:
// a move within the pane takes the dragged text away first.
void PaneEditor::dropEvent(QDropEvent* event) {
    if (!paste_ || isReadOnly() || !event->mimeData()->hasText()) return QPlainTextEdit::dropEvent(event);
    QDragLeaveEvent leave;  // ends the drop caret
    QPlainTextEdit::dragLeaveEvent(&leave);
    const QTextCursor at = cursorForPosition(event->position().toPoint());
    if (event->dropAction() == Qt::MoveAction && event->source() == viewport()) textCursor().removeSelectedText();
    setTextCursor(at);
    paste_(event->mimeData()->text());
    event->acceptProposedAction();
}

}  // namespace platform::qt
