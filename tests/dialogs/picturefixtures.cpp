#include "picturefixtures.h"

#include "platform/codepage.h"

#include <QBuffer>
#include <QDir>

#include <cstdlib>

bool writeColourPicture(const QString &path, const char *format, QColor colour, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    const bool cursor = qstrcmp(format, "cur") == 0;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, cursor ? "ico" : format))
        return false;
    if (cursor)
        buffer.buffer()[2] = 2; // a cursor file is an icon file whose header says type 2
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(buffer.data()) == buffer.size();
}

bool writeDesktopIni(const QString &folder, const QString &iconFile, const QString &index)
{
    const QString text = "[.ShellClassInfo]\r\nIconFile=" + iconFile + "\r\nIconIndex=" + index +
                         "\r\nInfoTip=tip\r\n";
    const auto bytes = platform::utf8ToCodePage(text.toStdString(), 1251);
    QFile file(QDir(folder).filePath("desktop.ini"));
    return bytes && file.open(QIODevice::WriteOnly) &&
           file.write(bytes->data(), qint64(bytes->size())) == qint64(bytes->size());
}

bool allPixelsNear(const QImage &image, const QRect &rect, QColor colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) +
                    std::abs(p.blue() - colour.blue()) + std::abs(p.alpha() - colour.alpha()) >
                48)
                return false;
        }
    }
    return true;
}
