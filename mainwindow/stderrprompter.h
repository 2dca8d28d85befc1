#pragma once

#include "dialogs/prompter.h"

#include <ostream>

// The prompter of a run without a display: each message's text goes to standard error as a line
// of its own, the first button answers every question, and every chooser is cancelled.
class StderrPrompter : public Prompter
{
public:
    explicit StderrPrompter(std::ostream &err);

    QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon,
                                        const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons) override;
    std::optional<QString> openFile(QWidget *parent, const QString &filter,
                                    const QString &initialFile) override;
    std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) override;

    int messageCount() const { return m_messages; }

private:
    std::ostream &m_err; // where the messages go
    int m_messages = 0;  // messages written so far
};
