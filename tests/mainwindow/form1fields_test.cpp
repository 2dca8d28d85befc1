#include "mainwindow/colourswatch.h"
#include "mainwindow/form1.h"
#include "mainwindowtesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The main window's input fields: caption, reactions, choosers, drops, entries and the browser.
class Form1FieldsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionFollowsTheBoxesInFixedOrder_data();
    void captionFollowsTheBoxesInFixedOrder();
    void choosersShareTheirStateAndFollowTheSource();
    void dropsAddOnlyFolders();
    void pickingAnEntryReadsItsCustomisation();
    void libraryButtonAsksAndReportsTheBrowser();

private:
    template <typename W> W *w(const char *name) { return m_form->findChild<W *>(name); }
    void click(const char *button) { QTest::mouseClick(w<QPushButton>(button), Qt::LeftButton); }
    QString caption() { return w<QPushButton>("Command3")->text(); }

    std::unique_ptr<TestScope> m_scope;
    std::unique_ptr<Form1> m_form;
};

void Form1FieldsTest::init()
{
    m_scope = std::make_unique<TestScope>();
    m_form = std::make_unique<Form1>();
}

void Form1FieldsTest::cleanup()
{
    m_form.reset();
    m_scope.reset();
}

void Form1FieldsTest::captionFollowsTheBoxesInFixedOrder_data()
{
    QTest::addColumn<QString>("typed"); // into Text2, Text4, Text5, one character each or none
    QTest::addColumn<QString>("caption");
    QTest::newRow("none after a change") << ""
                                         << "Сделать:\r";
    QTest::newRow("tip") << "4"
                         << "Сделать:\rподсказку\r";
    QTest::newRow("picture and icon") << "52"
                                      << "Сделать:\rиконку\rфон папки";
    QTest::newRow("all") << "542"
                         << "Сделать:\rиконку\rподсказку\rфон папки";
}

void Form1FieldsTest::captionFollowsTheBoxesInFixedOrder()
{
    QFETCH(QString, typed);
    QFETCH(QString, caption);
    QTest::keyClicks(w<QLineEdit>("Text4"), " "); // a blank is text: the box ticks
    QCOMPARE(this->caption(), QStringLiteral("Сделать:\rподсказку\r"));
    QTest::keyClick(w<QLineEdit>("Text4"), Qt::Key_Backspace);
    QVERIFY(!w<QCheckBox>("Check1")->isChecked());
    for (QChar field : typed)
        QTest::keyClicks(w<QLineEdit>(qPrintable(QStringLiteral("Text") + field)), "x");
    QCOMPARE(this->caption(), caption);
}

void Form1FieldsTest::choosersShareTheirStateAndFollowTheSource()
{
    const QString start = "*.ico;*.cur;*.ani;*.bmp;*.wmf;*.emf|*.ico;*.cur;*.ani;*.bmp;*.jpg;*.gif;"
                          "*.wmf;*.emf|";
    const QString pictures = "*.ico;*.cur;*.ani;*.bmp;*.jpg;*.gif;*.wmf;*.emf|*.ico;*.cur;*.ani;"
                             "*.bmp;*.jpg;*.gif;*.wmf;*.emf|";
    RecordingPrompter &p = m_scope->prompter;
    for (const char *chooser : {"Command2", "Command10", "Command11"})
        click(chooser); // each cancelled: nothing is put, ticked or coloured
    QVERIFY(w<QLineEdit>("Text2")->text().isEmpty() && w<QLineEdit>("Text5")->text().isEmpty());
    QCOMPARE(caption(), QStringLiteral("Сделать:"));
    QCOMPARE(w<ColourSwatch>("Picture1")->colour(), QColor(Qt::black));

    p.fileAnswers = {"/icons/a.ico", "/lib/b.dll"};
    p.colourAnswers = {QColor(255, 128, 0)};
    click("Command2");
    QTest::mouseClick(w<QRadioButton>("Option2"), Qt::LeftButton);
    click("Command10"); // the picture chooser offers what the source selected
    QTest::mouseClick(w<QRadioButton>("Option1"), Qt::LeftButton);
    click("Command2");
    click("Command11");
    QCOMPARE(p.events.mid(3),
             (QStringList{"open:" + start, "open:*.dll;*.exe;*.ocx|*.dll;*.exe;*.ocx|",
                          "open:" + pictures, "colour"}));
    QCOMPARE(p.openInitialFiles.mid(2), (QStringList{QString(), "/icons/a.ico", "/lib/b.dll"}));
    QCOMPARE(w<QLineEdit>("Text2")->text(), QStringLiteral("/icons/a.ico"));
    QCOMPARE(w<QLineEdit>("Text5")->text(), QStringLiteral("/lib/b.dll"));
    QCOMPARE(caption(), QStringLiteral("Сделать:\rиконку\rфон папки"));
    QCOMPARE(m_form->request().nameColour, 33023u); // orange, red in the lowest byte
}

void Form1FieldsTest::dropsAddOnlyFolders()
{
    const QString folder = m_scope->folder("Папка 1");
    const QString file = m_scope->root.filePath("plain.txt");
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    auto *text1 = w<QComboBox>("Text1");
    text1->setEditText("typed");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder.chopped(1)), QUrl::fromLocalFile(file),
                  QUrl::fromLocalFile(m_scope->root.filePath("missing")),
                  QUrl::fromLocalFile(folder.chopped(1))});
    QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(text1, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(text1, &drop);
    QCOMPARE(text1->count(), 2); // the folder twice, with its separator; the rest skipped
    QCOMPARE(text1->itemText(0), folder);
    QCOMPARE(text1->itemText(1), folder);
    QCOMPARE(text1->currentText(), QStringLiteral("typed"));
    QDragEnterEvent elsewhere({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w<QLineEdit>("Text4"), &elsewhere);
    QVERIFY(!elsewhere.isAccepted());
}

void Form1FieldsTest::pickingAnEntryReadsItsCustomisation()
{
    qputenv("RAVO2_ANSI_CODEPAGE", "1251"); // the file is read in the ANSI code page
    const QString folder = m_scope->folder("dressed");
    QVERIFY(writeIni(folder, "[.ShellClassInfo]\r\nIconFile=C:\\lib\\shell.dll\r\nIconIndex=4\r\n"
                             "InfoTip=\xCE\xF2\xEF\xF3\xF1\xEA\r\n"));
    auto *text1 = w<QComboBox>("Text1");
    text1->addItem(m_scope->folder("bare"));
    text1->addItem(folder);
    text1->setCurrentIndex(1);
    emit text1->activated(1);
    QCOMPARE(w<QLineEdit>("Text2")->text(), QStringLiteral("C:\\lib\\shell.dll"));
    QCOMPARE(w<QLineEdit>("Text3")->text(), QStringLiteral("4"));
    QCOMPARE(w<QLineEdit>("Text4")->text(), QStringLiteral("Отпуск"));
    QVERIFY(w<QRadioButton>("Option2")->isChecked() && !w<QLineEdit>("Text3")->isHidden());
    QCOMPARE(caption(), QStringLiteral("Сделать:\rиконку\rподсказку\r"));
    text1->setCurrentIndex(0); // a folder without the file changes nothing
    emit text1->activated(0);
    QCOMPARE(w<QLineEdit>("Text3")->text(), QStringLiteral("4"));
}

void Form1FieldsTest::libraryButtonAsksAndReportsTheBrowser()
{
    // No component is registered in the test's settings: every browse fails and says why.
    RecordingPrompter &p = m_scope->prompter;
    p.messageAnswer = QMessageBox::No;
    click("Command6");
    QCOMPARE(p.messages.size(), 2); // the browser is asked even after No
    QCOMPARE(p.messages[0].text, QStringLiteral("Файла-библиотеки не существует\rВыбрать другой?"));
    QCOMPARE(p.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(p.messages[0].icon, QMessageBox::NoIcon);
    const QString failed = QStringLiteral("Окно иконок библиотеки не открылось: ");
    QVERIFY(p.messages[1].text.startsWith(failed) && p.messages[1].text.size() > failed.size());
    QCOMPARE(p.messages[1].icon, QMessageBox::Critical);
    QCOMPARE(w<QLineEdit>("Text3")->text(), QStringLiteral("0"));

    p.messageAnswer = QMessageBox::Yes;
    click("Command6");
    QVERIFY(p.events[3].startsWith("open:"));             // Yes: the icon chooser
    w<QLineEdit>("Text2")->setText(m_scope->root.path()); // an existing path asks nothing
    click("Command6");
    QCOMPARE(p.messages.size(), 5);
    QVERIFY(p.messages[4].text.startsWith(failed));
}

QTEST_MAIN(Form1FieldsTest)
#include "form1fields_test.moc"
