#include "dialogs/drawfileicon.h"

#include "dialogs/fileiconfinder.h"

#include <QIcon>
#include <QPaintDevice>
#include <QPainter>

void drawfileicon(QPaintDevice *surface, int x, int y, const QString &path, int &width, int &height)
{
    if (path.isEmpty() || surface == nullptr)
        return;
    const QIcon icon = FileIconFinder::iconFor(path);
    if (icon.isNull())
        return;
    QSize size(kStandardIconSize, kStandardIconSize);
    if (width != 0) {
        if (height == 0)
            height = width;
        size = QSize(width, height);
    }
    if (size.width() <= 0 || size.height() <= 0)
        return;
    QPainter painter;
    if (!painter.begin(surface))
        return;
    // Icons smaller than asked for are stretched to the rectangle, as the system draws them.
    const QPixmap pixmap = icon.pixmap(size, surface->devicePixelRatioF());
    painter.drawPixmap(QRect(QPoint(x, y), size), pixmap);
}
