#include "mainwindow/form1.h"
#include "mainwindowtesting.h"
#include "platform/attributes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The apply and remove commands end to end on temporary folders, and the checks before applying.
class Form1CommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void emptyListOpensTheFolderPickerOnly();
    void failedChecksAskInOrderAndApplyNothing();
    void applyThenRemoveAsTheStoredChoiceSays();
    void failedApplyIsReportedAndTheWindowStaysUsable();

private:
    template <typename W> W *w(const char *name) { return m_form->findChild<W *>(name); }
    void click(const char *button) { QTest::mouseClick(w<QPushButton>(button), Qt::LeftButton); }
    void list(const QStringList &folders) { w<QComboBox>("Text1")->addItems(folders); }

    std::unique_ptr<TestScope> m_scope;
    std::unique_ptr<Form1> m_form;
};

void Form1CommandsTest::init()
{
    m_scope = std::make_unique<TestScope>();
    m_form = std::make_unique<Form1>();
}

void Form1CommandsTest::cleanup()
{
    m_form.reset();
    m_scope.reset();
}

void Form1CommandsTest::emptyListOpensTheFolderPickerOnly()
{
    QVERIFY(m_form->load());
    const QString typed = m_scope->folder("typed");
    w<QComboBox>("Text1")->setEditText(typed); // only the list counts
    w<QLineEdit>("Text4")->setText("tip");
    ModalCloser closer;
    click("Command3");
    QCOMPARE(closer.closed, QStringList{"Form2"});
    QVERIFY(m_scope->prompter.events.isEmpty());
    QVERIFY(!QFile::exists(typed + "desktop.ini"));
}

void Form1CommandsTest::failedChecksAskInOrderAndApplyNothing()
{
    QVERIFY(m_form->load());
    const QString folder = m_scope->folder("target");
    list({folder});
    const QString goodIcon = m_scope->root.filePath("good.ico");
    QVERIFY(QFile(goodIcon).open(QIODevice::WriteOnly));
    m_scope->prompter.fileAnswers = {goodIcon}; // still not applied in the same press
    w<QLineEdit>("Text2")->setText(m_scope->root.filePath("missing.ico"));
    w<QLineEdit>("Text5")->setText(m_scope->root.filePath("missing.bmp"));
    w<QCheckBox>("Check1")->setChecked(true);
    click("Command3");

    const QStringList events = m_scope->prompter.events;
    QCOMPARE(events.size(), 5);
    QCOMPARE(events[0], QStringLiteral("message:Укажите путь к иконке"));
    QVERIFY(events[1].startsWith("open:"));
    QCOMPARE(events[2], QStringLiteral("message:Укажите путь к картинке"));
    QVERIFY(events[3].startsWith("open:"));
    QCOMPARE(events[4], QStringLiteral("message:Укажите всплывающую подсказку"));
    for (const auto &box : m_scope->prompter.messages) {
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.title, QStringLiteral("Ошибка"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QCOMPARE(m_form->focusWidget(), w<QLineEdit>("Text4"));
    QVERIFY(!QFile::exists(folder + "desktop.ini"));
}

void Form1CommandsTest::applyThenRemoveAsTheStoredChoiceSays()
{
    TestScope::store("clearlistoffolders", "1");
    QVERIFY(m_form->load());
    const QStringList folders = {m_scope->folder("Первая"), m_scope->folder("b"),
                                 m_scope->folder("c")};
    QVERIFY(writeIni(folders[1], "[.ShellClassInfo]\r\nIconFile=old.ico\r\n"));
    platform::setFileAttributes((folders[1] + "desktop.ini").toStdString(), platform::kAttrHidden);
    list(folders);
    w<QLineEdit>("Text2")->setText(m_scope->root.path()); // a folder passes the icon check
    w<QLineEdit>("Text4")->setText("tip");
    click("Command3");
    QVERIFY(m_scope->prompter.messages.isEmpty());
    for (const QString &folder : folders) {
        QVERIFY(readIni(folder).contains("IconFile=..\r\n")); // the root, seen from the folder
        QVERIFY(readIni(folder).contains("InfoTip=tip\r\n"));
        QCOMPARE(attributesOf(folder + "desktop.ini"), platform::kAttrHidden);
        QCOMPARE(attributesOf(folder), platform::kAttrReadOnly);
    }
    QCOMPARE(w<QComboBox>("Text1")->count(), 0); // emptied as the option says
    QVERIFY(w<QComboBox>("Text1")->currentText().isEmpty());

    list(folders);
    ModalCloser closer;
    click("Command4"); // nothing stored: the dialog asks, and closing it removes nothing
    QCOMPARE(closer.closed, QStringList{"Form6"});
    TestScope::store("delall", "2");
    w<QComboBox>("Text1")->setEditText(folders[1]);
    click("Command4");
    QVERIFY(QFile::exists(folders[0] + "desktop.ini"));
    QVERIFY(!QFile::exists(folders[1] + "desktop.ini"));
    QCOMPARE(attributesOf(folders[1]), 0u);
    TestScope::store("delall", "1");
    click("Command4");
    for (const QString &folder : folders) {
        QVERIFY(!QFile::exists(folder + "desktop.ini"));
        QCOMPARE(attributesOf(folder), 0u);
    }
    QCOMPARE(closer.closed.size(), 1); // a stored choice never shows the dialog
}

void Form1CommandsTest::failedApplyIsReportedAndTheWindowStaysUsable()
{
    QVERIFY(m_form->load());
    const QString missing = m_scope->root.filePath("missing/");
    const QStringList folders = {m_scope->folder("first"), missing, m_scope->folder("third")};
    list(folders);
    w<QLineEdit>("Text4")->setText("tip");
    click("Command3");
    QCOMPARE(m_scope->prompter.messages.size(), 1);
    const auto &box = m_scope->prompter.messages.first();
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.title, QStringLiteral("ravo2"));
    const QString head = QStringLiteral("была ошибка") + missing;
    QVERIFY2(box.text.startsWith(head) && box.text.size() > head.size(), qPrintable(box.text));
    QVERIFY(QFile::exists(folders[0] + "desktop.ini"));
    QVERIFY(!QFile::exists(folders[2] + "desktop.ini"));
    QVERIFY(!QDir(missing).exists());

    w<QComboBox>("Text1")->removeItem(1); // the window goes on: the next press dresses the rest
    click("Command3");
    QCOMPARE(m_scope->prompter.messages.size(), 1);
    QVERIFY(QFile::exists(folders[2] + "desktop.ini"));
    QCOMPARE(w<QComboBox>("Text1")->count(), 2); // the option is off: the list stays
}

QTEST_MAIN(Form1CommandsTest)
#include "form1commands_test.moc"
