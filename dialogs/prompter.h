#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>

#include <optional>

class QWidget;

// The one seam through which every window shows message boxes and choosers, so tests can answer
// them and the headless command line can send messages to standard error instead.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A message box; returns the button pressed (the first of `buttons` when nobody can answer).
    virtual QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon,
                                                const QString &title, const QString &text,
                                                QMessageBox::StandardButtons buttons) = 0;

    // The open-file chooser with a filter in the "description|patterns|" form; nullopt on cancel.
    virtual std::optional<QString> openFile(QWidget *parent, const QString &filter,
                                            const QString &initialFile) = 0;

    // The colour chooser starting at `initial`; nullopt on cancel.
    virtual std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) = 0;

    // The prompter in force; the interactive one unless a test or the headless mode set another.
    static Prompter &instance();
    // Replaces the prompter in force (nullptr restores the interactive one); not owned.
    static void setInstance(Prompter *prompter);
};

// Real dialogs: QMessageBox, QFileDialog, QColorDialog.
class InteractivePrompter : public Prompter
{
public:
    QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon,
                                        const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons) override;
    std::optional<QString> openFile(QWidget *parent, const QString &filter,
                                    const QString &initialFile) override;
    std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) override;
};
