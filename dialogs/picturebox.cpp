#include "dialogs/picturebox.h"

#include <QPainter>

PictureBox::PictureBox(const QSize &size, QWidget *parent)
    : QWidget(parent), m_image(size, QImage::Format_ARGB32_Premultiplied)
{
    m_image.fill(Qt::transparent);
    setFixedSize(size);
}

void PictureBox::clear()
{
    m_image.fill(Qt::transparent);
    update();
}

QSize PictureBox::sizeHint() const
{
    return m_image.size();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}
