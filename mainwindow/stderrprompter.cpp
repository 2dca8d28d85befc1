#include "mainwindow/stderrprompter.h"

StderrPrompter::StderrPrompter(std::ostream &err) : m_err(err) {}

QMessageBox::StandardButton StderrPrompter::message(QWidget *, QMessageBox::Icon, const QString &,
                                                    const QString &text,
                                                    QMessageBox::StandardButtons buttons)
{
    // Lines of a message are separated by CR alone, which a terminal would overwrite.
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_err << shown.toStdString() << std::endl;
    ++m_messages;
    // The lowest button value is the first one of the box.
    for (unsigned bit = 1; bit != 0; bit <<= 1) {
        if (buttons.testFlag(static_cast<QMessageBox::StandardButton>(bit)))
            return static_cast<QMessageBox::StandardButton>(bit);
    }
    return QMessageBox::NoButton;
}

std::optional<QString> StderrPrompter::openFile(QWidget *, const QString &, const QString &)
{
    return std::nullopt;
}

std::optional<QColor> StderrPrompter::chooseColour(QWidget *, const QColor &)
{
    return std::nullopt;
}
