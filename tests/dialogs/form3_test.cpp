#include "dialogs/form3.h"
#include "picturefixtures.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class Form3Test : public QObject
{
    Q_OBJECT
    QTemporaryDir m_root;
    QStringList
        m_folders; // a dressed one, a plain one, a missing one; each ending with a separator
    std::unique_ptr<QComboBox> m_box; // the main window's folder box
    std::unique_ptr<Form3> m_form;
    QListWidget *m_list = nullptr;

    void press(const char *button) { m_form->findChild<QPushButton *>(button)->click(); }
    QStringList entries(bool ofBox)
    {
        QStringList all;
        for (int i = 0; i < (ofBox ? m_box->count() : m_list->count()); ++i)
            all << (ofBox ? m_box->itemText(i) : m_list->item(i)->text());
        return all;
    }
    QImage icon(int row) { return m_list->item(row)->icon().pixmap(32).toImage(); }

private slots:
    void initTestCase()
    {
        for (const char *name : {"red", "plain", "missing"})
            m_folders << QDir::toNativeSeparators(m_root.filePath(name)) + QDir::separator();
        QDir().mkpath(m_folders[1]);
        QDir().mkpath(m_folders[0]);
        QVERIFY(writeColourPicture(m_folders[0] + "red.ico", "ico", Qt::red));
        QVERIFY(writeDesktopIni(m_folders[0], "red.ico"));
    }
    void init()
    {
        m_box = std::make_unique<QComboBox>();
        m_box->setEditable(true);
        m_box->addItems(m_folders);
        m_box->setCurrentIndex(1);
        m_form = std::make_unique<Form3>(m_box.get());
        m_list = m_form->findChild<QListWidget *>("List1");
        m_form->buildList();
        m_form->show();
    }

    void opensWithTheFoldersInOrderAndTheirIcons()
    {
        m_form->hide();
        int listed = -1;
        QTimer::singleShot(0, m_form.get(), [&] { listed = m_list->count(), press("Command2"); });
        QCOMPARE(m_form->openList(), int(QDialog::Accepted)); // "Выход" hides
        QCOMPARE(listed, 3);
        QCOMPARE(entries(false), m_folders);
        m_form->show(); // the icons come while the window shows
        QTRY_VERIFY(!m_form->iconsPending());
        QVERIFY(allPixelsNear(icon(0), {0, 0, 32, 32}, Qt::red));
        QVERIFY(!allPixelsNear(icon(1), {0, 0, 32, 32}, Qt::red));
        QVERIFY(!allPixelsNear(icon(1), {0, 0, 32, 32}, Qt::transparent));
        QVERIFY(allPixelsNear(icon(2), {0, 0, 32, 32}, Qt::transparent)); // listed, blank
    }

    void removingTheSecondKeepsTheFirstAndThirdInBothLists()
    {
        m_list->setCurrentRow(1);
        press("Command1");
        const QStringList remaining{m_folders[0], m_folders[2]};
        QCOMPARE(entries(true), remaining);
        QCOMPARE(entries(false), remaining);
        QVERIFY(allPixelsNear(icon(1), {0, 0, 32, 32}, Qt::transparent)); // pictures move along
        QCOMPARE(m_box->currentText(), m_folders[1]); // the edit line still names its folder
        m_box->addItem(m_folders[1]);
        m_form->buildList();
        QCOMPARE(entries(false), remaining + QStringList(m_folders[1]));
    }

    void removeWithNothingSelectedChangesNothing()
    {
        m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate); // a cursor is not a selection
        press("Command1");
        QCOMPARE(entries(true), m_folders);
        QCOMPARE(entries(false), m_folders);
        m_box->clear();
        m_form->buildList();
        press("Command1");
        QVERIFY(m_list->count() == 0 && m_box->count() == 0);
    }

    void clearEmptiesBothListsAndTheEditLine()
    {
        press("Command3");
        QVERIFY(m_list->count() == 0 && m_box->count() == 0);
        QVERIFY(m_box->currentText().isEmpty() && m_form->isVisible());
    }
};

QTEST_MAIN(Form3Test)
#include "form3_test.moc"
