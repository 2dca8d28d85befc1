#include "dialogs/windowfont.h"

#include <QFont>
#include <QWidget>

void useWindowFont(QWidget *window)
{
    QFont font = window->font();
    // MS Sans Serif first, as on Windows; fontconfig maps Arial to Liberation Sans only when asked
    // for Arial itself, so Liberation Sans is named too.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), font.family()});
    font.setPointSize(8);
    window->setFont(font);
}
