#include "mainwindow/form1.h"
#include "mainwindowtesting.h"
#include "platform/attributes.h"

#include <QFile>
#include <QtTest>

// The built program beside a window of this process: the single-copy rule, and the switches
// run through the window offscreen when there is no display.
class Ravo2ProgramTest : public QObject
{
    Q_OBJECT

private slots:
    void laterCopyIsRefusedAndRaisesTheFirst();
    void switchesWithoutADisplayDressTheFolder_data();
    void switchesWithoutADisplayDressTheFolder();
    void noSwitchesAndNoDisplayIsAnError();

private:
    struct Run {
        int exitCode = -1;
        QString err;
    };
    // Runs the program to its end while this process's event loop goes on.
    static Run run(const QStringList &arguments,
                   const QProcessEnvironment &environment = environmentWithoutDisplay());
};

Ravo2ProgramTest::Run Ravo2ProgramTest::run(const QStringList &arguments,
                                            const QProcessEnvironment &environment)
{
    QProcess process;
    startProgram(process, arguments, environment);
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000))
        process.kill();
    process.waitForFinished();
    if (process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

void Ravo2ProgramTest::laterCopyIsRefusedAndRaisesTheFirst()
{
    TestScope scope;
    const QString target = scope.folder("target");
    // With the option off a second copy runs beside the first.
    Form1 first;
    QVERIFY(first.load());
    first.show();
    first.showMinimized();
    Form1 second;
    QVERIFY(second.load());
    QCOMPARE(second.windowTitle(), first.windowTitle());

    TestScope::store("startnewcopyofravo", "1");
    Form1 third;
    QVERIFY(!third.load());
    QCOMPARE(scope.prompter.messages.size(), 1);
    const auto &box = scope.prompter.messages.first();
    QCOMPARE(box.text, QStringLiteral("Программа уже запущена."));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.title, QStringLiteral("ravo2"));
    QTRY_VERIFY(!first.isMinimized());
    QVERIFY(third.windowTitle().isEmpty()); // its load stopped before the caption

    first.showMinimized(); // the command line loads the window too, and is refused the same way
    const Run refused = run({"-fp", target, "-tt", "x"});
    QCOMPARE(refused.exitCode, 1);
    QCOMPARE(refused.err, QStringLiteral("Программа уже запущена.\n"));
    QVERIFY(!QFile::exists(target + "desktop.ini"));
    QTRY_VERIFY(!first.isMinimized());
}

void Ravo2ProgramTest::switchesWithoutADisplayDressTheFolder_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<uint>("folderAttributes");
    QTest::newRow("xp") << "XP" << uint(platform::kAttrReadOnly);
    QTest::newRow("9x") << "9x" << uint(platform::kAttrReadOnly | platform::kAttrSystem);
}

void Ravo2ProgramTest::switchesWithoutADisplayDressTheFolder()
{
    QFETCH(QString, mode);
    QFETCH(uint, folderAttributes);
    TestScope scope;
    TestScope::store("startnewcopyofravo", "1"); // no copy is running: nothing refuses
    const QString folder = scope.folder("target");
    const Run dressed = run({"-fp", folder, "-tt", "tip", "-wv", mode});
    QCOMPARE(dressed.exitCode, 0);
    QVERIFY2(dressed.err.isEmpty(), qPrintable(dressed.err));
    // "-tt" keeps the blank after the switch and the one before the next piece.
    QVERIFY(readIni(folder).contains("InfoTip= tip \r\n"));
    QCOMPARE(attributesOf(folder + "desktop.ini"), platform::kAttrHidden);
    QCOMPARE(uint(attributesOf(folder)), folderAttributes);
}

void Ravo2ProgramTest::noSwitchesAndNoDisplayIsAnError()
{
    TestScope scope;
    QProcessEnvironment environment = environmentWithoutDisplay();
    environment.insert("DISPLAY", QString()); // set but empty is no display either
    const Run refused = run({}, environment);
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.err.startsWith("ravo2: ") && refused.err.contains("DISPLAY"),
             qPrintable(refused.err));
}

QTEST_MAIN(Ravo2ProgramTest)
#include "ravo2program_test.moc"
