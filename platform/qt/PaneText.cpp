#include "platform/qt/PaneText.h"

namespace platform::qt {

namespace {

QChar Shown(char16_t ch, char16_t before) {
    if (ch == u'\n') return before == u'\r' ? QChar(PaneText::kHiddenLf) : QChar(QChar::ParagraphSeparator);
    if (ch == u'\r') return QChar(QChar::ParagraphSeparator);
    return QChar(ch);
}

}  // namespace

QString PaneText::toDocument(const std::u16string& text, char16_t before) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (char16_t ch : text) {
        out += Shown(ch, before);
        before = ch;
    }
    return out;
}

std::u16string PaneText::fromDocument(const QString& text) {
    std::u16string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) out += ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator ? u'\r' : ch.unicode();
    return out;
}

QChar PaneText::shownAt(const std::u16string& model, std::size_t index) {
    return Shown(model[index], index > 0 ? model[index - 1] : char16_t{0});
}

}  // namespace platform::qt
