#include "vindle/picturebox.h"

#include "vindle/modulestate.h"
#include "vindle/qticonextractor.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace vindle
{
namespace
{

int pixelsFor(double twips, double twipsPerPixel)
{
    return std::max(0, static_cast<int>(std::lround(twips / twipsPerPixel)));
}

} // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {}

PictureBox::~PictureBox()
{
    // The thread must not keep drawing on a surface that is gone.
    if (DrawingSurface == this)
        SetDrawingSurface(nullptr);
}

double PictureBox::twipsPerPixelX() const
{
    return 1440.0 / logicalDpiX();
}

double PictureBox::twipsPerPixelY() const
{
    return 1440.0 / logicalDpiY();
}

void PictureBox::setOuterHeight(double twips)
{
    resize(width(), pixelsFor(twips, twipsPerPixelY()));
    fitImage();
}

void PictureBox::setOuterWidth(double twips)
{
    resize(pixelsFor(twips, twipsPerPixelX()), height());
    fitImage();
}

void PictureBox::clearPicture()
{
    m_image.fill(Qt::transparent);
    update();
}

void PictureBox::drawIcon(IconHandle icon, int x, int y, int width, int height)
{
    const QImage *picture = QtIconExtractor::image(icon);
    if (!picture || m_image.isNull())
        return;
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(x, y, width, height), *picture);
    update();
}

void PictureBox::setImage(const QImage &image)
{
    m_image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    update();
}

// Sizes the persistent image to the inner area (a hidden widget gets no resize event before it
// is shown); what it held stays at its top-left corner.
void PictureBox::fitImage()
{
    const QSize inner(std::max(0, width() - 2 * border), std::max(0, height() - 2 * border));
    if (inner == m_image.size())
        return;
    QImage resized(inner, QImage::Format_ARGB32_Premultiplied);
    resized.fill(Qt::transparent);
    if (!m_image.isNull() && !inner.isEmpty()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_image);
    }
    m_image = resized;
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(border, border, m_image);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = border;
    frame.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
}

} // namespace vindle
