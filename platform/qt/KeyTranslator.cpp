#include "platform/qt/KeyTranslator.h"

#include <QKeyEvent>
#include <string>

#include "platform/posix/Cp936.h"

namespace platform::qt {

std::optional<std::int16_t> KeyTranslator::code(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return std::nullopt;  // focus moves and deletions type nothing
        default:
            break;
    }
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool ctrlOnly = (mods & Qt::ControlModifier) && !(mods & (Qt::AltModifier | Qt::MetaModifier));
    if (ctrlOnly && key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::int16_t>(key - Qt::Key_A + 1);
    const QString typed = event.text();
    if (typed.isEmpty()) return std::nullopt;
    const char16_t ch = typed.at(0).unicode();
    if (ch == 0x7F) return std::nullopt;
    return charCode(ch);
}

std::int16_t KeyTranslator::charCode(char16_t ch) {
    if (ch < 0x80) return static_cast<std::int16_t>(ch);
    const std::string bytes = platform::posix::EncodeCp936(std::u16string(1, ch));
    if (bytes.size() == 1) return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[0]));
    if (bytes.size() != 2) return '?';
    const auto hi = static_cast<unsigned char>(bytes[0]);
    const auto lo = static_cast<unsigned char>(bytes[1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((hi << 8) | lo));
}

QString KeyTranslator::text(std::int16_t code) {
    if (code > 0 && code < 0x80) return QString(QChar(static_cast<char16_t>(code)));
    std::string bytes;
    const auto u = static_cast<std::uint16_t>(code);
    if (code < 0)
        bytes = {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
    else if (code < 0x100)
        bytes = std::string(1, static_cast<char>(u));
    else
        return QString();
    const std::u16string decoded = platform::posix::DecodeCp936(bytes);
    return QString::fromUtf16(decoded.data(), static_cast<qsizetype>(decoded.size()));
}

}  // namespace platform::qt
