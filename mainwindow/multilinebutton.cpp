#include "mainwindow/multilinebutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void MultiLineButton::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    // Qt's text layout breaks lines at LF only.
    option.text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStylePainter painter(this);
    painter.drawControl(QStyle::CE_PushButton, option);
}
