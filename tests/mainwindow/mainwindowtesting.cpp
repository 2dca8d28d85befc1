#include "mainwindowtesting.h"

#include "platform/attributes.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>

QMessageBox::StandardButton RecordingPrompter::message(QWidget *, QMessageBox::Icon icon,
                                                       const QString &title, const QString &text,
                                                       QMessageBox::StandardButtons buttons)
{
    messages.append({icon, title, text, buttons});
    events << QStringLiteral("message:") + text;
    return messageAnswer;
}

std::optional<QString> RecordingPrompter::openFile(QWidget *, const QString &filter,
                                                   const QString &initialFile)
{
    events << QStringLiteral("open:") + filter;
    openInitialFiles << initialFile;
    return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
}

std::optional<QColor> RecordingPrompter::chooseColour(QWidget *, const QColor &)
{
    events << QStringLiteral("colour");
    return colourAnswers.isEmpty() ? std::nullopt : colourAnswers.takeFirst();
}

TestScope::TestScope()
{
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    Prompter::setInstance(&prompter);
}

TestScope::~TestScope()
{
    Prompter::setInstance(nullptr);
}

void TestScope::store(const char *key, const char *value)
{
    platform::SettingsStore("ravo2").save("Options", key, value);
}

QString TestScope::folder(const QString &name) const
{
    QDir(root.path()).mkpath(name);
    return root.filePath(name) + QLatin1Char(platform::nativeSeparator());
}

ModalCloser::ModalCloser()
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            closed << dialog->objectName();
            dialog->reject();
        }
    });
    m_timer.start();
}

bool writeIni(const QString &folder, const QByteArray &bytes)
{
    QFile file(folder + QStringLiteral("desktop.ini"));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readIni(const QString &folder)
{
    QFile file(folder + QStringLiteral("desktop.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::uint32_t attributesOf(const QString &path)
{
    return platform::getFileAttributes(path.toStdString()) & ~platform::kAttrDirectory;
}

QProcessEnvironment environmentWithoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

void startProgram(QProcess &process, const QStringList &arguments,
                  const QProcessEnvironment &environment)
{
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(RAVO2_PROGRAM), arguments);
}
