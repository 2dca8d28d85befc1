#pragma once

#include "dialogs/prompter.h"

#include <QList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

// Answers boxes and choosers from queued answers (an empty queue cancels) and records them in
// order as "message:<text>", "open:<filter>" and "colour" events.
class RecordingPrompter : public Prompter
{
public:
    struct Message {
        QMessageBox::Icon icon;
        QString title, text;
        QMessageBox::StandardButtons buttons;
    };
    QList<Message> messages;
    QStringList events;
    QStringList openInitialFiles;
    QList<std::optional<QString>> fileAnswers;
    QList<std::optional<QColor>> colourAnswers;
    QMessageBox::StandardButton messageAnswer = QMessageBox::Ok;

    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon icon, const QString &title,
                                        const QString &text,
                                        QMessageBox::StandardButtons buttons) override;
    std::optional<QString> openFile(QWidget *, const QString &filter,
                                    const QString &initialFile) override;
    std::optional<QColor> chooseColour(QWidget *, const QColor &initial) override;
};

// A settings store and a prompter of the test's own, for one test function.
class TestScope
{
public:
    TestScope();
    ~TestScope();
    RecordingPrompter prompter;
    QTemporaryDir config;                                  // XDG_CONFIG_HOME
    QTemporaryDir root;                                    // folders to dress
    static void store(const char *key, const char *value); // "ravo2", "Options"
    QString folder(const QString &name) const;             // made under root, with its separator
};

// Rejects every modal dialog that opens while it lives, recording their objectNames.
class ModalCloser : public QObject
{
public:
    ModalCloser();
    QStringList closed;

private:
    QTimer m_timer;
};

bool writeIni(const QString &folder, const QByteArray &bytes);
QByteArray readIni(const QString &folder);
std::uint32_t attributesOf(const QString &path); // without the directory bit

// The built program, started without DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM.
QProcessEnvironment environmentWithoutDisplay();
void startProgram(QProcess &process, const QStringList &arguments,
                  const QProcessEnvironment &environment = environmentWithoutDisplay());
