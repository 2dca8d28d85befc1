#include "dialogs/prompter.h"

#include "dialogs/filefilter.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>

namespace
{

Prompter *g_prompter = nullptr; // set by tests and the headless mode; not owned

// The system's messages separate lines by CR alone, which a Qt label does not break on.
QString displayText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

Prompter &Prompter::instance()
{
    static InteractivePrompter interactive;
    return g_prompter ? *g_prompter : interactive;
}

void Prompter::setInstance(Prompter *prompter)
{
    g_prompter = prompter;
}

QMessageBox::StandardButton InteractivePrompter::message(QWidget *parent, QMessageBox::Icon icon,
                                                         const QString &title, const QString &text,
                                                         QMessageBox::StandardButtons buttons)
{
    // A box without a title of its own shows the application title.
    const QString shownTitle = title.isEmpty() ? QStringLiteral("ravo2") : title;
    QMessageBox box(icon, shownTitle, displayText(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> InteractivePrompter::openFile(QWidget *parent, const QString &filter,
                                                     const QString &initialFile)
{
    // A directory argument that names a file opens its folder with the file selected.
    const QString chosen =
        QFileDialog::getOpenFileName(parent, QString(), initialFile, toQtFileFilter(filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}

std::optional<QColor> InteractivePrompter::chooseColour(QWidget *parent, const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}
