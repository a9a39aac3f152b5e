#include "platform/qt/CursorFactory.h"

#include <QBitmap>
#include <QImage>

namespace platform::qt {

namespace {

// A one-bit picture in which the chosen pixels are set (black in a QBitmap).
QBitmap Plane(const ui::Cursor& c, bool (*set)(std::uint8_t)) {
    QImage image(c.width, c.height, QImage::Format_MonoLSB);
    image.setColorCount(2);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    image.fill(0);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const std::size_t i =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(c.width) + static_cast<std::size_t>(x);
            if (i < c.pixels.size() && set(c.pixels[i])) image.setPixel(x, y, 1);
        }
    }
    return QBitmap::fromImage(image, Qt::MonoOnly);
}

}  // namespace

QCursor CursorFactory::make(const ui::Cursor& cursor) {
    const QBitmap bitmap = Plane(cursor, [](std::uint8_t p) { return p == ui::Cursor::Black; });
    const QBitmap mask = Plane(cursor, [](std::uint8_t p) { return p != ui::Cursor::Clear; });
    return QCursor(bitmap, mask, cursor.hotX, cursor.hotY);
}

}  // namespace platform::qt
