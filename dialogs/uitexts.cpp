#include "dialogs/uitexts.h"

#include <QCoreApplication>
#include <QVariant>

QString uiText(UiText id)
{
    return QString::fromStdString(forms::uiText(id));
}

void setUiTexts(const QStringList &lines)
{
    std::vector<std::string> utf8;
    utf8.reserve(lines.size());
    for (const QString &line : lines)
        utf8.push_back(line.toStdString());
    forms::setUiTexts(utf8);
    QStringList browser;
    for (const std::string &text : forms::browserTexts())
        browser.append(QString::fromStdString(text));
    if (QCoreApplication::instance())
        QCoreApplication::instance()->setProperty("vindleTexts", browser);
}
