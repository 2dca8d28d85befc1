#include "mainwindow/colourswatch.h"

#include <QPalette>

ColourSwatch::ColourSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setColour(Qt::black);
}

void ColourSwatch::setColour(const QColor &colour)
{
    m_colour = colour;
    QPalette shown = palette();
    shown.setColor(QPalette::Window, colour);
    setPalette(shown);
}
