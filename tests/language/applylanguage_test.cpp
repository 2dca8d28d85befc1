#include "languagewindows.h"

#include "dialogs/form5.h"
#include "dialogs/form6.h"
#include "engine/settings.h"
#include "mainwindow/form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

class ApplyLanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        Prompter::setInstance(&m_prompter);
    }

    // Each of lines 6 to 57 reaches exactly one control; windows never opened stay hidden and
    // none of their actions runs.
    void everyTextReachesOneControlOfHiddenWindows()
    {
        RunWindows run;
        QStringList lines = taggedLines("L");
        lines[56] = "<b>L57</b>";
        applylanguage(run.windows(), lines);

        const QHash<QString, int> shown = shownTexts(run.windows());
        for (int n = 1; n <= 57; ++n)
            QVERIFY2(shown.value(lines[n - 1]) == (n >= 6 && n != 52), qPrintable(lines[n - 1]));
        QCOMPARE(run.form1->findChild<QRadioButton *>("Option1")->text(), QString("L25"));
        QCOMPARE(run.form1->findChild<QLabel *>("Label1_1")->text(), QString("L31"));
        QCOMPARE(run.form6->findChild<QLabel *>("Label1")->textFormat(), Qt::PlainText);
        const LanguageWindows all = run.windows();
        for (QWidget *window : {all.form1, all.form2, all.form3, all.form4, all.form5, all.form6})
            QVERIFY(!window->isVisible());
        QVERIFY(run.actions.isEmpty());
        QCOMPARE(run.form1->findChild<QComboBox *>("Text1")->count(), 0);
        QVERIFY(m_prompter.messages.isEmpty());
    }

    // A short file sets what it has and empties every other caption of the table.
    void missingLinesEmptyTheirCaptions()
    {
        RunWindows run;
        applylanguage(run.windows(), taggedLines("L"));
        applylanguage(run.windows(), taggedLines("S", 10));

        const QHash<QString, int> shown = shownTexts(run.windows());
        for (int n = 6; n <= 57; ++n) {
            QCOMPARE(shown.value("S" + QString::number(n)), n <= 10 ? 1 : 0);
            QCOMPARE(shown.value("L" + QString::number(n)), 0);
        }
        QCOMPARE(run.form1->findChild<QPushButton *>("Command3")->text(), QString());
    }

    // Lines 58 on give the apply caption's words, the messages, the about box and the browser's
    // texts; a file that ends at line 57 (or leaves them empty) keeps them Russian.
    void laterLinesReachTheCaptionMessagesAndBrowser_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected"); // caption, message, about, browser title
        QTest::newRow("88 lines") << 88 << QStringList{"L58\rL59\rL61", "L63", "L69", "L77"};
        QTest::newRow("57 lines") << 57
                                  << QStringList{"Сделать:\rиконку\rфон папки",
                                                 "Укажите путь к иконке",
                                                 "Программа для изменения иконок на папках",
                                                 ""}; // the browser keeps its own
    }
    void laterLinesReachTheCaptionMessagesAndBrowser()
    {
        QFETCH(int, count);
        QFETCH(QStringList, expected);
        RunWindows run;
        applylanguage(run.windows(), taggedLines("L", 88));
        applylanguage(run.windows(), taggedLines("L", count));
        m_prompter.messages.clear();
        run.form1->findChild<QComboBox *>("Text1")->addItem("/no such folder/");
        run.form1->findChild<QCheckBox *>("Check3")->click();
        run.form1->findChild<QCheckBox *>("Check2")->click(); // no icon file: a message
        QCOMPARE(run.form1->findChild<QPushButton *>("Command3")->text(), expected[0]);
        run.form1->findChild<QPushButton *>("Command3")->click();
        QVERIFY(!m_prompter.messages.isEmpty());
        QCOMPARE(m_prompter.messages[0].text, expected[1]);
        QCOMPARE(Form1::aboutText().section('\r', 0, 0), expected[2]);
        QCOMPARE(qApp->property("vindleTexts").toStringList().value(0), expected[3]);
        applylanguage(run.windows(), {}); // the next case starts Russian again
    }

    // Line 52 selects the entry it equals exactly; otherwise the selection stays.
    void line52SelectsTheExactEntryOnly()
    {
        engine::Settings settings;
        Form5 form5(LanguageWindows{}, settings);
        auto *list = form5.findChild<QListWidget *>("List1");
        list->addItems({"/x/a.lng", "/x/b.lng", "/x/bb.lng"});
        list->setCurrentRow(0);
        QStringList lines = taggedLines("L");
        for (const char *line52 : {"/x/B.lng", "/x/b", "", " /x/b.lng", "/x/b.lng"}) {
            lines[51] = line52;
            applylanguage({nullptr, nullptr, nullptr, nullptr, &form5, nullptr}, lines);
            QCOMPARE(list->currentRow(), lines[51] == "/x/b.lng" ? 1 : 0);
        }
    }

    // A control is looked up in its own window only, even when a dialog parented to the main
    // window holds a shallower one of the same name; absent windows and controls are passed over,
    // and a control without a caption gets none.
    void controlsAreFoundInTheirOwnWindowOnly()
    {
        QWidget main;
        auto *deep = new QRadioButton(new QWidget(new QWidget(&main)));
        deep->setObjectName("Option1");
        auto *frame = new QWidget(&main);
        frame->setObjectName("Frame1");
        auto *options = new QWidget(&main);
        auto *shallow = new QRadioButton(options);
        shallow->setObjectName("Option1");
        applylanguage({&main, nullptr, nullptr, options, nullptr, nullptr}, taggedLines("L"));
        QCOMPARE(deep->text(), QString("L25"));
        QCOMPARE(shallow->text(), QString("L43"));
        QCOMPARE(options->windowTitle(), QString("L40"));
        QVERIFY(!frame->property("title").isValid());
    }

private:
    QTemporaryDir m_config;
    RecordingPrompter m_prompter;
};

QTEST_MAIN(ApplyLanguageTest)
#include "applylanguage_test.moc"
