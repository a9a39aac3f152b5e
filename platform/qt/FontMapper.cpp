#include "platform/qt/FontMapper.h"

#include <QStringList>

namespace platform::qt {

namespace {

const QStringList kChineseFallbacks{QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                    QStringLiteral("Noto Sans SC")};

}  // namespace

void FontMapper::installSubstitutions() {
    for (const QString& windowsName : {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("新宋体")})
        QFont::insertSubstitutions(windowsName, kChineseFallbacks);
}

QFont FontMapper::toQFont(const ui::Font& font) {
    QFont f(QString::fromStdU16String(font.name));
    f.setPointSizeF(font.size > 0 ? font.size : 9.0);
    f.setBold(font.bold);
    return f;
}

}  // namespace platform::qt
