#pragma once

#include <QPlainTextEdit>
#include <functional>

namespace platform::qt {

// A pane's widget. The clipboard and a drag carry the pane's own text, CR
// and LF as the pane holds them, never the document's line breaks and
// stand-ins; what is pasted or dropped goes to the pane as it came. Tab
// moves the focus on.
class PaneEditor : public QPlainTextEdit {
public:
    // The pane's text between two document positions.
    using Copy = std::function<QString(int from, int to)>;
    // Text that replaces the selection, as pasted or dropped.
    using Paste = std::function<void(const QString& text)>;

    explicit PaneEditor(QWidget* parent);
    void hookClipboard(Copy copy, Paste paste);

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;
    void dropEvent(QDropEvent* event) override;

private:
    Copy copy_;
    Paste paste_;
};

}  // namespace platform::qt
