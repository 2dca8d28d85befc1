#include "languagewindows.h"

#include "dialogs/form4.h"
#include "dialogs/form5.h"
#include "engine/languagefile.h"
#include "engine/settings.h"
#include "mainwindow/form1.h"
#include "platform/attributes.h"
#include "platform/settingsstore.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace
{

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A language file whose line n is `tag` followed by n, CR LF after every line.
QByteArray languageFile(const QString &tag)
{
    return taggedLines(tag).join("\r\n").toUtf8() + "\r\n";
}

QString nativePath(const QString &folder, const QString &name)
{
    return QDir::toNativeSeparators(QDir(folder).absoluteFilePath(name));
}

// The main window's dialogs and the language dialog of one program run.
struct Run {
    RunWindows windows;
    Form5 &form5 = *windows.form5;
    QListWidget *list = form5.findChild<QListWidget *>("List1");

    // Opens the dialog modally, runs `inside` while it shows, then closes it if still open.
    void open(const std::function<void()> &inside)
    {
        QTimer::singleShot(0, &form5, [&] {
            inside();
            if (form5.isVisible())
                form5.reject();
        });
        form5.openDialog();
    }
    void click(const char *button) { form5.findChild<QPushButton *>(button)->click(); }
    QString about() const { return windows.form1->findChild<QAction *>("mnuAbout")->text(); }
};

} // namespace

class Form5Test : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Prompter::setInstance(&m_prompter); }

    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        m_cwd = std::make_unique<QTemporaryDir>();
        m_data = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
        qputenv("RAVO2_LANGUAGE_DIR", QFile::encodeName(m_data->path()));
        // A current directory with a non-ASCII name, as a Russian user's folders have.
        m_cwdPath = m_cwd->path() + "/языки";
        QVERIFY(QDir().mkdir(m_cwdPath));
        QVERIFY(QDir::setCurrent(m_cwdPath));
        m_prompter.messages.clear();
    }

    // Russian first, then the ordinary *.lng files of the current directory by file name, then
    // those of the data folder, each by its language's name (line 1, else the file's name; the
    // path beside a name that repeats). With no stored choice the first opening applies nothing.
    void listsRussianThenLanguagesByNameAndAppliesNothing()
    {
        const QString cwd = m_cwdPath, data = m_data->path();
        for (const QString name :
             {"b.lng", "A.LNG", ".hidden.lng", "notes.txt", "sys.lng", "русский.lng"})
            writeFile(cwd + "/" + name, languageFile(name.left(1)));
        writeFile(cwd + "/nameless.lng", "\xEF\xBB\xBF \r\nline 2\r\n");
        QVERIFY(QDir(cwd).mkdir("folder.lng"));
        const bool marked =
            platform::setFileAttributes((cwd + "/sys.lng").toStdString(), platform::kAttrSystem)
                .ok();
#ifndef _WIN32
        QCOMPARE(::mkfifo(QFile::encodeName(cwd + "/pipe.lng").constData(), 0600), 0);
#endif
        writeFile(data + "/english.lng", languageFile("E"));
        writeFile(data + "/b.lng", languageFile("D"));

        writeFile(data + "/other.lng", languageFile("b"));

        Run run;
        const QString builtIn = run.about();
        QStringList listed;
        run.open([&] {
            for (int row = 0; row < run.list->count(); ++row)
                listed.append(run.list->item(row)->text());
        });
        const QString twice = nativePath(data, "other.lng");
        QStringList expected{"Русский", "A1", "b1 (" + nativePath(cwd, "b.lng") + ")", "nameless"};
        if (!marked)
            expected.append("s1");
        expected << "р1"
                 << "D1"
                 << "E1"
                 << "b1 (" + twice + ")";
        QCOMPARE(listed, expected);
        QCOMPARE(run.list->item(listed.size() - 1)->toolTip(), twice);
        QCOMPARE(run.list->currentRow(), 0);
        QCOMPARE(run.about(), builtIn);
        QCOMPARE(run.form5.windowTitle(), QString("Сменить язык интерфейса"));

        qputenv("RAVO2_LANGUAGE_DIR", QFile::encodeName(cwd));
        QCOMPARE(Form5::languageFolders().size(), 1);
    }

    // "Установить" applies, "Отмена" keeps the texts and stores the position; a second opening
    // neither re-lists nor applies; the next run applies the stored choice again.
    void storedChoiceSurvivesARestart()
    {
        writeFile("a.lng", languageFile("A"));
        writeFile("b.lng", languageFile("B"));
        {
            Run run;
            run.open([&] {
                run.list->setCurrentRow(2);
                run.click("Command1");
                QCOMPARE(run.windows.form4->windowTitle(), QString("B40"));
                run.click("Command2");
            });
            QCOMPARE(run.about(), QString("B6"));
            // The second file keeps the position it had before Russian was listed.
            QCOMPARE(QString::fromStdString(run.windows.form1->settings().language()),
                     QString("2"));

            run.windows.form4->setWindowTitle("changed");
            writeFile("c.lng", languageFile("C"));
            run.open([&] {
                QCOMPARE(run.list->count(), 3);
                QCOMPARE(run.list->currentRow(), 2);
            });
            QCOMPARE(run.windows.form4->windowTitle(), QString("changed"));
        }
        Run next;
        QCOMPARE(next.windows.form4->windowTitle(), QString("Опции"));
        next.open([] {});
        QCOMPARE(next.list->currentRow(), 2);
        QCOMPARE(next.windows.form4->windowTitle(), QString("B40"));
        QCOMPARE(next.about(), QString("B6"));
    }

    // A stored value naming no entry, or no file at all, applies nothing; "Установить" without a
    // selection (an outlined entry is none) does nothing and "Отмена" then stores "0".
    void nothingAppliedWithoutAnEntry_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<bool>("outlined");
        QTest::newRow("not a number") << "abc" << true << false;
        QTest::newRow("past the list") << "3" << true << false;
        QTest::newRow("negative") << "-1" << true << false;
        QTest::newRow("no files") << "1" << false << false;
        QTest::newRow("first entry only outlined") << "abc" << true << true;
    }
    void nothingAppliedWithoutAnEntry()
    {
        QFETCH(QString, stored);
        QFETCH(bool, withFile);
        QFETCH(bool, outlined);
        if (withFile)
            writeFile("a.lng", languageFile("A"));
        platform::SettingsStore("ravo2").save("Options", "language", stored.toStdString());

        Run run;
        const QString builtIn = run.about();
        run.open([&] {
            QVERIFY(run.list->selectedItems().isEmpty());
            // Focusing the list outlines its first entry as the current one, unselected.
            if (outlined)
                run.list->selectionModel()->setCurrentIndex(run.list->model()->index(0, 0),
                                                            QItemSelectionModel::NoUpdate);
            run.click("Command1");
            run.click("Command2");
        });
        QCOMPARE(run.about(), builtIn);
        QCOMPARE(run.form5.windowTitle(), QString("Сменить язык интерфейса"));
        QCOMPARE(QString::fromStdString(run.windows.form1->settings().language()), QString("0"));
        QVERIFY(m_prompter.messages.isEmpty());
    }

    // A file that cannot be read is named in a warning; texts and the line buffer stay.
    void unreadableFileChangesNothing()
    {
        writeFile("a.lng", languageFile("A"));
        writeFile("b.lng", languageFile("B"));
        Run run;
        run.open([&] {
            run.list->setCurrentRow(1);
            run.click("Command1");
            QVERIFY(QFile::remove("b.lng"));
            run.list->setCurrentRow(2);
            run.click("Command1");
        });
        QCOMPARE(m_prompter.messages.size(), 1);
        QCOMPARE(m_prompter.messages[0].icon, QMessageBox::Warning);
        QCOMPARE(m_prompter.messages[0].title, QString("ravo2"));
        QVERIFY(m_prompter.messages[0].text.contains(nativePath(m_cwdPath, "b.lng")));
        QCOMPARE(run.about(), QString("A6"));
        QCOMPARE(run.form5.lines().value(39), QString("A40"));
    }

    // The shipped English file replaces all 51 captions and titles with its texts; Russian then
    // gives every one of them back.
    void englishFileReachesEveryControl()
    {
        qputenv("RAVO2_LANGUAGE_DIR", RAVO2_SOURCE_DIR "/languages");
        Run run;
        const LanguageWindows all = run.windows.windows();
        const QHash<QString, int> before = shownTexts(all);
        QHash<QString, int> after, russian;
        QStringList lines;
        run.open([&] {
            run.list->setCurrentRow(1);
            run.click("Command1");
            after = shownTexts(all);
            lines = run.form5.lines();
            run.list->setCurrentRow(0);
            run.click("Command1");
            russian = shownTexts(all);
        });
        QCOMPARE(russian, before);

        QCOMPARE(run.list->count(), 2);
        QCOMPARE(run.list->item(1)->text(), QString("English"));
        QCOMPARE(lines.size(), 88); // the texts of the windows, then the messages and browser
        QHash<QString, int> expected;
        for (int n = engine::LanguageFile::kFirstTextLine; n <= 57; ++n) {
            QVERIFY(n == 52 || !lines[n - 1].trimmed().isEmpty());
            ++expected[lines[n - 1]];
        }
        expected.remove(QString());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(after.value(it.key()), it.value());
        const auto cyrillic = [](const QHash<QString, int> &texts) {
            int count = 0;
            for (auto it = texts.cbegin(); it != texts.cend(); ++it)
                count += it.key().contains(QRegularExpression("[\u0400-\u04FF]")) ? it.value() : 0;
            return count;
        };
        QCOMPARE(cyrillic(before) - cyrillic(after), 51);
    }

    // The main window's menu item opens the dialog modally with every other window created
    // hidden; the remove choice shown later is the same window, with the applied texts.
    void mainWindowMenuOpensTheDialog()
    {
        writeFile("a.lng", languageFile("A"));
        platform::SettingsStore("ravo2").save("Options", "language", "1");
        Form1 form1;
        QWidget *shown = nullptr;
        const auto closeModal = [&] {
            shown = QApplication::activeModalWidget();
            if (shown)
                shown->close();
        };
        QTimer::singleShot(0, closeModal);
        form1.findChild<QAction *>("mnuLngSel")->trigger();
        QVERIFY(shown);
        QCOMPARE(shown->objectName(), QString("Form5"));
        QCOMPARE(form1.findChild<QAction *>("mnuAbout")->text(), QString("A6"));
        for (const char *name : {"Form2", "Form3", "Form4", "Form6"})
            QVERIFY(form1.findChild<QDialog *>(name) &&
                    !form1.findChild<QDialog *>(name)->isVisible());
        auto *form6 = form1.findChild<QDialog *>("Form6");
        QTimer::singleShot(0, closeModal);
        form1.findChild<QPushButton *>("Command4")->click();
        QCOMPARE(shown, form6);
        QCOMPARE(form6->windowTitle(), QString("A53"));
    }

private:
    RecordingPrompter m_prompter;
    std::unique_ptr<QTemporaryDir> m_config, m_cwd, m_data;
    QString m_cwdPath; // the current directory during a test
};

QTEST_MAIN(Form5Test)
#include "form5_test.moc"
