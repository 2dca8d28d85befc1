// The PNG builder apart from the rest, which stays Qt-free for the Windows tests.
#include "iconfixtures.h"

#include <QBuffer>
#include <QImage>

namespace iconfixtures
{

Bytes pngImage(int size, std::uint32_t rgb)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(QColor::fromRgb(0xFF000000u | rgb));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Bytes(png.begin(), png.end());
}

} // namespace iconfixtures
