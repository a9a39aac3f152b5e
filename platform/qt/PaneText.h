#pragma once

#include <QString>
#include <string>

namespace platform::qt {

// A pane's text as its document shows it, one document position per model
// character, so the model's caret and edit positions index the document as
// they are. CR and a lone LF break the line; the LF of a CR LF pair is kept
// as an invisible character, so CR LF breaks it once.
class PaneText {
public:
    static constexpr char16_t kHiddenLf = u'\u200B';

    // `before` is the model character ahead of `text` (0 at the start).
    static QString toDocument(const std::u16string& text, char16_t before = 0);
    // What the user typed into the document as model characters: a line
    // break is CR, as the Enter key types it.
    static std::u16string fromDocument(const QString& text);
    // The document character for model[index]; a line break reads as U+2029.
    static QChar shownAt(const std::u16string& model, std::size_t index);
};

}  // namespace platform::qt
