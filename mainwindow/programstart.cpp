#include "mainwindow/programstart.h"

#include "dialogs/prompter.h"
#include "dialogs/qttranslations.h"
#include "engine/commandline.h"
#include "engine/commandlinerun.h"
#include "engine/folderswitches.h"
#include "engine/messages.h"
#include "engine/startup.h"
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

void showMessage(const std::string &text)
{
    Prompter::instance().message(nullptr, QMessageBox::NoIcon, QStringLiteral("ravo2"),
                                 QString::fromStdString(text), QMessageBox::Ok);
}

void showStartupFailure(const std::string &commandLine, const std::string &description,
                        const std::string &failedFolder = {})
{
    // A message box's lines are separated by CR alone.
    std::string text = engine::startupFailureMessage(commandLine, description);
    if (!failedFolder.empty())
        text.append("\r").append(engine::Messages::failedFolder(failedFolder));
    showMessage(text);
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
                engine::CommandLineRequest parsed)
{
    engine::warnAboutLine(parsed, std::cerr);
    if (!form.load())
        return engine::kExitFailure;
    // The window holds text: a value (or folder) that is not text in the locale is refused whole.
    if (const auto refused = engine::decodeTextValues(parsed, true)) {
        showMessage(engine::Messages::undecodable(*refused));
        return engine::kExitFailure;
    }
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
    showStartupFailure(commandLine, result.failure.message, result.failedFolder);
    if (!runsOffscreen())
        app.exec();
    return engine::kExitFailure;
}

int runWithApplication(char *programName, const std::string &commandLine,
                       const engine::CommandLineRequest &parsed)
{
    if (runsOffscreen())
        qInstallMessageHandler(keepQtQuiet);
    // Qt sees only the program's name: "-platform", "-style" and the like are our values.
    int qtArgc = 1;
    char *qtArgv[] = {programName, nullptr};
    QApplication app(qtArgc, qtArgv);
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
    if (parsed.showHelp || parsed.showVersion || parsed.needsNoWindow()) {
        engine::SystemFolderIo io;
        return engine::runCommandLine(commandLine, std::cout, std::cerr, io);
    }
    static char fallbackName[] = "ravo2";
    return runWithApplication(argc > 0 && argv ? argv[0] : fallbackName, commandLine, parsed);
}
