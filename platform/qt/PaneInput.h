#pragma once

#include <QObject>
#include <functional>
#include <string>

namespace ui {
class RichTextBox;
}

namespace platform::qt {

class PaneEditor;
class PaneMirror;

// What the user does to a pane's document reaches the model as what the
// user did: a caret or selection move carries no text, an edit is a removal
// and an insertion at a position of the model's text as it is now. The
// document may be behind the model while text streams in; an act there is
// carried to the model's positions first, so no received character is lost
// or moved by it.
class PaneInput : public QObject {
public:
    PaneInput(PaneEditor& edit, ui::RichTextBox& box, PaneMirror& mirror, std::function<bool()> live);

    // True while a user act goes into the model.
    bool reporting() const { return reporting_; }

private:
    void edited(int position, int removed, int added);
    void editedBehind(std::size_t start, std::size_t removed, const std::u16string& inserted);
    void pasted(const QString& text);
    QString copied(int from, int to) const;
    void caretMoved();
    void skipHiddenLf();

    PaneEditor& edit_;
    ui::RichTextBox& box_;
    PaneMirror& mirror_;
    std::function<bool()> live_;
    bool reporting_ = false;
};

}  // namespace platform::qt
