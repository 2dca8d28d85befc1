#include "dialogs/form2.h"
#include "dialogs/picturebox.h"
#include "picturefixtures.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

class Form2Test : public QObject
{
    Q_OBJECT
    QTemporaryDir m_root;
    std::unique_ptr<QComboBox> m_box; // the main window's folder box
    std::unique_ptr<Form2> m_form;
    QStringList m_reads; // the folder box's text at each readfolderini call

    template <typename T> T *child(const char *name) { return m_form->findChild<T *>(name); }
    QString label() { return child<QLabel>("Label1")->text(); }
    bool previewIsRed()
    {
        return allPixelsNear(child<PictureBox>("image1")->image(), {0, 0, 32, 32}, Qt::red);
    }
    void goTo(const QString &path)
    {
        auto *text = child<QLineEdit>("Text1");
        text->clear();
        // The test keyboard types ASCII only.
        if (std::all_of(path.begin(), path.end(), [](QChar c) { return c.unicode() < 128; }))
            QTest::keyClicks(text, path);
        else
            text->setText(path);
        child<QPushButton>("Command3")->click();
    }

private slots:
    void initTestCase()
    {
        for (const char *name : {"plain", "dressed", "Папка"})
            QDir(m_root.path()).mkpath(name);
        QVERIFY(writeColourPicture(m_root.filePath("dressed/red.png"), "png", Qt::red));
        QVERIFY(writeDesktopIni(m_root.filePath("dressed"), "red.png"));
    }
    void init()
    {
        m_box = std::make_unique<QComboBox>();
        m_box->setEditable(true);
        m_reads.clear();
        m_form = std::make_unique<Form2>(m_box.get(), [this] { m_reads << m_box->currentText(); });
        m_form->show();
    }

    void selectingShowsThePathAndReplacesThePreview()
    {
        goTo(m_root.filePath("plain/")); // the typed text reaches the tree as it is
        QCOMPARE(label(), QDir::toNativeSeparators(m_root.filePath("plain")));
        QVERIFY(
            !allPixelsNear(child<PictureBox>("image1")->image(), {0, 0, 32, 32}, Qt::transparent));
        QVERIFY(!previewIsRed());
        const QImage plainIcon = child<PictureBox>("image1")->image();
        goTo(m_root.filePath("dressed"));
        QVERIFY(previewIsRed());
        goTo(m_root.filePath("plain"));
        QCOMPARE(child<PictureBox>("image1")->image(), plainIcon); // no trace of the red one
        goTo(m_root.filePath("dressed"));
        goTo(m_root.filePath("no such folder"));
        QCOMPARE(label(), QDir::toNativeSeparators(m_root.filePath("dressed")));
        QVERIFY(m_box->count() == 0 && m_reads.isEmpty());
    }

    void chooseAppendsThePathWithOneSeparatorEachPress_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("entry");
        const QString sep = QDir::separator();
        QTest::newRow("plain") << m_root.filePath("plain")
                               << QDir::toNativeSeparators(m_root.filePath("plain")) + sep;
        QTest::newRow("Cyrillic") << m_root.filePath("Папка")
                                  << QDir::toNativeSeparators(m_root.filePath("Папка")) + sep;
        QTest::newRow("root") << QDir::rootPath() << QDir::toNativeSeparators(QDir::rootPath());
    }
    void chooseAppendsThePathWithOneSeparatorEachPress()
    {
        QFETCH(QString, folder);
        QFETCH(QString, entry);
        m_box->addItem("earlier");
        goTo(folder);
        child<QPushButton>("Command1")->click();
        QTest::keyClick(m_form.get(), Qt::Key_Return); // Enter presses "Выбрать"
        QCOMPARE(m_box->count(), 3);
        QCOMPARE(m_box->itemText(1), entry);
        QCOMPARE(m_box->itemText(2), entry);
        QCOMPARE(m_reads, QStringList({entry, entry})); // read after the text was set
        QVERIFY(m_form->isVisible());
    }

    void chooseAddsNothingWithoutAnExistingSelection()
    {
        Form2 unshown(m_box.get(), [] {}); // nothing selected before the first showing
        unshown.findChild<QPushButton *>("Command1")->click();
        QDir(m_root.path()).mkdir("brief");
        goTo(m_root.filePath("brief"));
        QVERIFY(QDir(m_root.path()).rmdir("brief"));
        child<QPushButton>("Command1")->click();
        QVERIFY(m_box->count() == 0 && m_box->currentText().isEmpty() && m_reads.isEmpty());
    }

    // The first opening selects the folder box's folder, or the home folder when it names none.
    void opensAtTheChosenFolderOrHome()
    {
        QTRY_COMPARE(label(), QDir::toNativeSeparators(QDir::homePath()));
        const QString dressed = QDir::toNativeSeparators(m_root.filePath("dressed")) + '/';
        m_box->setEditText(dressed);
        Form2 again(m_box.get(), [] {});
        again.show();
        QTRY_COMPARE(again.findChild<QLabel *>("Label1")->text(), dressed.chopped(1));
    }

    // Enter in the go-to field goes to the typed folder (and adds nothing); the first go-to into a
    // hidden folder of a branch already read arrives there.
    void enterGoesToTheTypedFolderHiddenOrNot()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("shown") && QDir(dir.path()).mkpath(".hidden/inner"));
        auto *text = child<QLineEdit>("Text1");
        goTo(dir.filePath("shown"));
        auto *tree = child<QTreeView>("FolderView1");
        QTRY_COMPARE(tree->model()->rowCount(tree->currentIndex().parent()), 1);
        for (const QString &folder : {dir.filePath(".hidden"), dir.filePath("shown")}) {
            text->clear();
            QTest::keyClicks(text, folder);
            QTest::keyClick(text, Qt::Key_Return);
            QTRY_COMPARE(label(), QDir::toNativeSeparators(folder));
            QTest::qWait(100); // the tree's late refresh must not take the selection back
            QCOMPARE(label(), QDir::toNativeSeparators(folder));
        }
        QCOMPARE(m_box->count(), 0);
    }

    // A folder deep in branches not read yet ends in sight once they load; hidden folders are
    // listed only after the go-to named one.
    void goToRevealsTheFolderOnceItsBranchLoads_data()
    {
        QTest::addColumn<QString>("branch");
        QTest::addColumn<bool>("hiddenListed");
        QTest::newRow("plain") << "deep" << false;
        QTest::newRow("hidden") << ".deep" << true;
    }
    void goToRevealsTheFolderOnceItsBranchLoads()
    {
        QFETCH(QString, branch);
        QFETCH(bool, hiddenListed);
        QTemporaryDir dir;
        const QString parent = QDir(dir.path()).filePath(branch);
        // Enough folders before the target to push it far below the tree's first screen.
        for (int i = 0; i < 200; ++i)
            QVERIFY(QDir(parent).mkpath(QStringLiteral("f%1").arg(i, 3, 10, QLatin1Char('0'))));
        QVERIFY(QDir(parent).mkpath("zz/target"));
        QVERIFY(QDir(parent).mkpath(".secret"));
        const QString target = QDir(parent).filePath("zz/target");

        goTo(target);
        auto *tree = child<QTreeView>("FolderView1");
        auto *model = qobject_cast<QFileSystemModel *>(tree->model());
        const auto inSight = [&] {
            return tree->viewport()->rect().contains(tree->visualRect(model->index(target)));
        };
        QTRY_COMPARE(model->rowCount(model->index(parent)), 201 + int(hiddenListed));
        QTRY_VERIFY(inSight());
        QTest::qWait(200); // a late sort must not push it away again
        QVERIFY(inSight());
        QCOMPARE(label(), QDir::toNativeSeparators(target));
    }
};

QTEST_MAIN(Form2Test)
#include "form2_test.moc"
