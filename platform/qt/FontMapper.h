#pragma once

#include <QFont>

#include "ui/Font.h"

namespace platform::qt {

// The model's fonts as Qt fonts. The design names Windows fonts; each maps
// to an installed font that has the Chinese glyphs.
class FontMapper {
public:
    static void installSubstitutions();
    static QFont toQFont(const ui::Font& font);
};

}  // namespace platform::qt
