#pragma once

#include "dialogs/applylanguage.h"
#include "dialogs/prompter.h"

#include <QHash>
#include <QStringList>

#include <memory>

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class Form6;

// The main window and its dialogs as a run creates them: hidden, the dialogs parented to Form1.
struct RunWindows {
    RunWindows();
    ~RunWindows();

    std::unique_ptr<Form1> form1;
    Form2 *form2 = nullptr;
    Form3 *form3 = nullptr;
    Form4 *form4 = nullptr;
    Form5 *form5 = nullptr;
    Form6 *form6 = nullptr;
    QStringList actions; // what the dialogs asked of the main window (delicon, readfolderini)

    LanguageWindows windows() const;
};

// The text a window title, caption, menu or label shows; empty for other objects.
QString shownText(QObject *object);

// How often each text shows as a window title, caption, menu or label text (every control
// counted once; a menu's own action is not counted beside the menu).
QHash<QString, int> shownTexts(const LanguageWindows &windows);

// Lines whose line n (1-based) is `tag` followed by n; line 52 empty.
QStringList taggedLines(const QString &tag, int count = 57);

// Answers every box at once (choosers cancel) and remembers the messages.
class RecordingPrompter : public Prompter
{
public:
    struct Message {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };
    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon icon, const QString &title,
                                        const QString &text, QMessageBox::StandardButtons) override
    {
        messages.append({icon, title, text});
        return QMessageBox::Ok;
    }
    std::optional<QString> openFile(QWidget *, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QColor> chooseColour(QWidget *, const QColor &) override { return std::nullopt; }

    QList<Message> messages; // every message box, in order
};
