#include "vindle/icons/icondecoder.h"

#include "vindle/icons/iconselection.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace vindle::icons
{
namespace
{

void put16(QByteArray &out, quint16 value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>(value >> 8));
}

void put32(QByteArray &out, quint32 value)
{
    put16(out, static_cast<quint16>(value & 0xFFFF));
    put16(out, static_cast<quint16>(value >> 16));
}

// ICONDIR (6 bytes) + one ICONDIRENTRY (16 bytes) + the image bytes.
QByteArray singleIconFile(const IconImage &image)
{
    constexpr quint32 headerSize = 6 + 16;
    QByteArray file;
    file.reserve(static_cast<qsizetype>(headerSize + image.data.size()));
    put16(file, 0);
    put16(file, 1);
    put16(file, 1);
    file.append(static_cast<char>(image.width & 0xFF));
    file.append(static_cast<char>(image.height & 0xFF));
    file.append(static_cast<char>(image.colorCount & 0xFF));
    file.append('\0');
    put16(file, static_cast<quint16>(image.planes));
    put16(file, static_cast<quint16>(image.bitCount));
    put32(file, static_cast<quint32>(image.data.size()));
    put32(file, headerSize);
    file.append(reinterpret_cast<const char *>(image.data.data()),
                static_cast<qsizetype>(image.data.size()));
    return file;
}

} // namespace

QImage decodeIconImage(const IconImage &image)
{
    if (!plausibleImage(image))
        return {};
    QByteArray file = singleIconFile(image);
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QImage decoded;
    if (!reader.read(&decoded))
        return {};
    return decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage iconImage(const IconGroup &group, int size)
{
    const IconImage *best = bestImage(group, size);
    if (!best || size <= 0)
        return {};
    const QImage decoded = decodeIconImage(*best);
    if (decoded.isNull() || decoded.size() == QSize(size, size))
        return decoded;
    return decoded.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace vindle::icons
