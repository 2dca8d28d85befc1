#include "mainwindow/programstart.h"

#include "dialogs/prompter.h"
#include "dialogs/qttranslations.h"
#include "engine/commandline.h"
#include "engine/commandlinerun.h"
#include "engine/startup.h"
#include "mainwindow/display.h"
#include "mainwindow/form1.h"
#include "mainwindow/stderrprompter.h"
#include "platform/processcommandline.h"

#include <QApplication>

#include <exception>
#include <iostream>
#include <sstream>

namespace
{

// Puts a prompter in force for the run and takes it away at the end.
class PrompterScope
{
public:
    explicit PrompterScope(Prompter *prompter) { Prompter::setInstance(prompter); }
    ~PrompterScope() { Prompter::setInstance(nullptr); }
    PrompterScope(const PrompterScope &) = delete;
    PrompterScope &operator=(const PrompterScope &) = delete;
};

// Without a display only the program's own messages reach standard error, not Qt's notes.
void keepQtQuiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << std::endl;
}

// True when the windows are drawn nowhere: nobody can answer a message box.
bool runsOffscreen()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.startsWith("offscreen") || platform.startsWith("minimal");
}

void showStartupFailure(const std::string &commandLine, const std::string &description)
{
    Prompter::instance().message(
        nullptr, QMessageBox::NoIcon, QStringLiteral("ravo2"),
        QString::fromStdString(engine::startupFailureMessage(commandLine, description)),
        QMessageBox::Ok);
}

int runWindow(QApplication &app, Form1 &form)
{
    if (!form.load())
        return engine::kExitFailure;
    form.show();
    return app.exec();
}

// The command-line road: fill, show, dress once, end; a failure keeps the window when one is seen.
int runSwitches(QApplication &app, Form1 &form, const std::string &commandLine,
                const engine::CommandLineRequest &parsed)
{
    if (!form.load())
        return engine::kExitFailure;
    form.applyCommandLine(parsed);
    form.show();
    if (!form.request().anythingToMake())
        return engine::kExitSuccess;
    const engine::MakeIconResult result = form.makeicon();
    if (!result.failed) {
        if (const auto warning = engine::attributeWarning(result))
            std::cerr << *warning << '\n';
        return engine::kExitSuccess;
    }
    showStartupFailure(commandLine, result.failure.message);
    if (!runsOffscreen())
        app.exec();
    return engine::kExitFailure;
}

int runWithApplication(int argc, char **argv, const std::string &commandLine,
                       const engine::CommandLineRequest &parsed)
{
    if (runsOffscreen())
        qInstallMessageHandler(keepQtQuiet);
    QApplication app(argc, argv);
    // Standard dialogs and message-box buttons speak Russian like the rest of the window.
    installQtTranslations(app);
    StderrPrompter stderrPrompter(std::cerr);
    PrompterScope scope(runsOffscreen() ? &stderrPrompter : nullptr);
    try {
        if (commandLine.empty()) {
            Form1 form;
            return runWindow(app, form);
        }
        if (!parsed.valid) {
            // The Qt-free run words the failure; only its message is taken from it.
            std::ostringstream out, err;
            engine::SystemFolderIo io;
            const int status = engine::runCommandLine(commandLine, out, err, io);
            std::string text = err.str();
            if (!text.empty() && text.back() == '\n')
                text.pop_back();
            Prompter::instance().message(nullptr, QMessageBox::NoIcon, QStringLiteral("ravo2"),
                                         QString::fromStdString(text), QMessageBox::Ok);
            return status;
        }
        Form1 form;
        return runSwitches(app, form, commandLine, parsed);
    } catch (const std::exception &e) {
        showStartupFailure(commandLine, e.what());
        return engine::kExitFailure;
    }
}

} // namespace

int startProgram(int argc, char **argv)
{
    const std::string commandLine = platform::processCommandLine(argc, argv);
    const engine::CommandLineRequest parsed = engine::parseCommandLine(commandLine);
    if (!commandLine.empty() && (parsed.showHelp || parsed.showVersion)) {
        engine::SystemFolderIo io;
        return engine::runCommandLine(commandLine, std::cout, std::cerr, io);
    }
    if (!displayAvailable()) {
        if (commandLine.empty()) {
            std::cerr << "ravo2: нет дисплея (DISPLAY и WAYLAND_DISPLAY не заданы), окно "
                         "показать негде; без окна программа работает только с ключами.\n"
                      << engine::helpText();
            return engine::kExitUsage;
        }
        // Qt reads the platform when the application object is made.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return runWithApplication(argc, argv, commandLine, parsed);
}
