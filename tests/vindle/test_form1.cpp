#include "dialogs/twips.h"
#include "iconfixtures.h"
#include "vindle/componentservices.h"
#include "vindle/cscrab.h"
#include "vindle/form1.h"
#include "vindle/iconlistview.h"
#include "vindle/imagelist.h"
#include "vindle/modulestate.h"
#include "vindle/picturebox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

using vindle::Form1;
using vindle::IconListView;

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void firstCallWithoutChoosingReturnsZero();
    void readingShowsEveryIconInOrder();
    void clickingThenChoosingStoresTheIndexAndCloses();
    void modalVindleReturnsTheChoiceThenKeepsIt();
    void refreshKeepsTheSelectionOrSelectsNothing();
    void aMissingFileEmptiesTheListAndKeepsLabel2();
    void enterInThePathFieldChooses();
    void escapeClosesWithoutChoosing();
    void viewModesSwitchWithoutRereading();
    void resizeRuleMovesAndStretchesControls();
    void opensOverItsOwnerWithTheSelectionPlain();
    void opensOverItsOwnerWithTheWholeFrameOnScreen_data();
    void opensOverItsOwnerWithTheWholeFrameOnScreen();
    void fileMenuReadsTheChosenLibrary();
    void showsTheHostsTextsInTheProgramsFont();

private:
    Form1 *open(const QString &path);
    template <typename T> T *child(const char *name)
    {
        return Form1::threadWindow()->findChild<T *>(name);
    }
    IconListView *list() { return child<IconListView>("ListView1"); }
    QString label2() { return child<QLabel>("Label2")->text(); }
    void clickItem(int position);
    std::u16string vindle(const QString &path, std::function<void()> whileOpen);

    QTemporaryDir m_dir;
    QString m_five;
    QString m_two;
};

void TestForm1::initTestCase()
{
    m_five = m_dir.filePath("pe-five.dll");
    m_two = m_dir.filePath("pe-two.dll");
    QVERIFY(iconfixtures::writeFile(m_five.toStdString(),
                                    iconfixtures::buildModule(iconfixtures::plainModule(5))));
    QVERIFY(iconfixtures::writeFile(m_two.toStdString(),
                                    iconfixtures::buildModule(iconfixtures::plainModule(2, true))));
}

void TestForm1::cleanup()
{
    if (Form1::threadWindow())
        Form1::threadWindow()->close();
    QTRY_VERIFY(Form1::threadWindow().isNull());
}

Form1 *TestForm1::open(const QString &path)
{
    const vindle::ComponentServices services = vindle::componentServices();
    if (FAILED(services.browser.open(path.toStdU16String(), 0)))
        return nullptr;
    return Form1::threadWindow();
}

void TestForm1::clickItem(int position)
{
    QAbstractItemView *view = list()->currentView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, list()->itemRect(position).center());
}

// Calls vindle modally; `whileOpen` runs once the window is up.
std::u16string TestForm1::vindle(const QString &path, std::function<void()> whileOpen)
{
    const vindle::ComponentServices services = vindle::componentServices();
    vindle::CScrab scrab(services.icons, services.browser);
    QTimer::singleShot(0, this, whileOpen);
    std::u16string result;
    if (FAILED(scrab.vindle(path.toStdU16String(), 1, result)))
        return u"failed";
    return result;
}

void TestForm1::firstCallWithoutChoosingReturnsZero()
{
    const std::u16string result = vindle(m_five, [] { Form1::threadWindow()->close(); });
    QCOMPARE(QString::fromStdU16String(result), QString("0"));
}

void TestForm1::readingShowsEveryIconInOrder()
{
    Form1 *window = open(m_five);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("Просмотр иконок в библиотеках"));
    QCOMPARE(list()->count(), 5);
    QCOMPARE(list()->view(), int(IconListView::LargeIcons));
    auto *large = window->findChild<vindle::ImageList *>("imgLargeIcon");
    auto *small = window->findChild<vindle::ImageList *>("imgSmalIcon");
    QCOMPARE(large->count(), 5);
    QCOMPARE(small->count(), 5);
    for (int k = 1; k <= 5; ++k) {
        QCOMPARE(list()->subItemText(k), QString::number(k - 1));
        QCOMPARE(large->picture(k).size(), QSize(32, 32)); // the surface's inner image at 96 dpi
        QCOMPARE(small->picture(k).size(), QSize(16, 16));
        QCOMPARE(large->picture(k).pixel(16, 16), 0xFF000000u | iconfixtures::colourOf(k - 1, 32));
        QCOMPARE(small->picture(k).pixel(8, 8), 0xFF000000u | iconfixtures::colourOf(k - 1, 16));
        QVERIFY(!list()->itemIcon(k).isNull());
    }
    QCOMPARE(label2(), QString("0"));
}

void TestForm1::clickingThenChoosingStoresTheIndexAndCloses()
{
    QVERIFY(open(m_five));
    Form1::threadWindow()->show();
    QCOMPARE(static_cast<vindle::IconSurface *>(child<vindle::PictureBox>("Pictempicon")),
             vindle::DrawingSurface);
    const vindle::CScrab *library = Form1::currentLibrary().get();
    clickItem(3);
    QCOMPARE(label2(), QString("2"));
    child<QPushButton>("Command2")->click();
    QTRY_VERIFY(Form1::threadWindow().isNull());
    QCOMPARE(vindle::ChosenIconIndex, std::int16_t(2));
    QCOMPARE(vindle::DrawingSurface, nullptr);        // the surface went with the window
    QCOMPARE(Form1::currentLibrary().get(), library); // CurrentLibrary outlives it
}

void TestForm1::modalVindleReturnsTheChoiceThenKeepsIt()
{
    std::u16string result = vindle(m_five, [this] {
        QVERIFY(Form1::threadWindow()->isModal());
        clickItem(4);
        child<QPushButton>("Command2")->click();
    });
    QCOMPARE(QString::fromStdU16String(result), QString("3"));
    result = vindle(m_two, [this] {
        clickItem(1);
        Form1::threadWindow()->close(); // the close box: nothing stored
    });
    QCOMPARE(QString::fromStdU16String(result), QString("3"));
}

void TestForm1::refreshKeepsTheSelectionOrSelectsNothing()
{
    QVERIFY(open(m_five));
    clickItem(4);
    const vindle::CScrab *before = Form1::currentLibrary().get();
    child<QPushButton>("Command3")->click();
    QVERIFY(Form1::currentLibrary().get() != before); // read again
    QCOMPARE(list()->count(), 5);
    QCOMPARE(list()->selectedPosition(), 4);
    QCOMPARE(label2(), QString("3"));

    child<QLineEdit>("Text1")->setText(m_two); // shrinks below the selected position
    child<QAction>("mnuViewRedraw")->trigger();
    QCOMPARE(list()->count(), 2);
    QCOMPARE(list()->selectedPosition(), 0);
    QCOMPARE(label2(), QString("0"));
    child<QPushButton>("Command3")->click(); // nothing selected
    QCOMPARE(list()->selectedPosition(), 0);
    QCOMPARE(label2(), QString("0"));
}

void TestForm1::aMissingFileEmptiesTheListAndKeepsLabel2()
{
    Form1 *window = open(m_five);
    QVERIFY(window);
    clickItem(2);
    child<QLineEdit>("Text1")->setText(m_dir.filePath("missing.dll"));
    QCOMPARE(window->readicons(), S_OK);
    QCOMPARE(list()->count(), 0);
    QCOMPARE(window->findChild<vindle::ImageList *>("imgLargeIcon")->count(), 0);
    QCOMPARE(label2(), QString("1"));
    child<QPushButton>("Command2")->click(); // chooses what Label2 shows
    QTRY_VERIFY(Form1::threadWindow().isNull());
    QCOMPARE(vindle::ChosenIconIndex, std::int16_t(1));
}

void TestForm1::enterInThePathFieldChooses()
{
    QVERIFY(open(m_five));
    Form1::threadWindow()->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1::threadWindow()));
    clickItem(5);
    auto *text1 = child<QLineEdit>("Text1");
    text1->setFocus();
    QTest::keyClick(text1, Qt::Key_Return);
    QTRY_VERIFY(Form1::threadWindow().isNull());
    QCOMPARE(vindle::ChosenIconIndex, std::int16_t(4));
}

void TestForm1::escapeClosesWithoutChoosing()
{
    vindle::ChosenIconIndex = 3;
    bool closed = false;
    const std::u16string result = vindle(m_five, [&] {
        QVERIFY(QTest::qWaitForWindowActive(Form1::threadWindow()));
        clickItem(2);
        QTest::keyClick(child<QLineEdit>("Text1"), Qt::Key_Escape);
        QTest::qWait(50);
        closed = !Form1::threadWindow() || !Form1::threadWindow()->isVisible();
        if (!closed)
            Form1::threadWindow()->close(); // never left blocking the test
    });
    QVERIFY(closed);
    QCOMPARE(QString::fromStdU16String(result), QString("3"));
}

void TestForm1::viewModesSwitchWithoutRereading()
{
    QVERIFY(open(m_five));
    const vindle::CScrab *library = Form1::currentLibrary().get();
    child<QAction>("mnuViewTable")->trigger();
    auto *report = qobject_cast<QTreeView *>(list()->currentView());
    QVERIFY(report);
    QCOMPARE(report->model()->headerData(0, Qt::Horizontal).toString(), QString("Иконка"));
    QCOMPARE(report->model()->headerData(1, Qt::Horizontal).toString(), QString("Индекс"));
    QVERIFY(!report->isColumnHidden(1));
    QCOMPARE(report->model()->index(3, 1).data().toString(), QString("3"));
    child<QAction>("mnuViewList")->trigger();
    auto *icons = qobject_cast<QListView *>(list()->currentView());
    QVERIFY(icons);
    QCOMPARE(icons->viewMode(), QListView::ListMode);
    QCOMPARE(icons->iconSize(), QSize(16, 16));
    child<QAction>("mnuViewBig")->trigger();
    QCOMPARE(icons->viewMode(), QListView::IconMode);
    QCOMPARE(icons->iconSize(), QSize(32, 32));
    child<QAction>("mnuViewTable")->trigger();
    QCOMPARE(list()->currentView(), report);
    QCOMPARE(Form1::currentLibrary().get(), library);
    QCOMPARE(list()->count(), 5);
}

void TestForm1::resizeRuleMovesAndStretchesControls()
{
    Form1 *window = open(m_five);
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *command2 = child<QPushButton>("Command2");
    auto *command3 = child<QPushButton>("Command3");
    auto *text1 = child<QLineEdit>("Text1");
    auto *label1 = child<QLabel>("Label1");
    auto *label2 = child<QLabel>("Label2");
    const double dpiX = window->logicalDpiX(), dpiY = window->logicalDpiY();
    auto near = [](int actual, int expected) { return std::abs(actual - expected) <= 1; };
    // From the first show the list has its designed size and the rest follows the rule with the
    // outer size that gives it, so nothing jumps at the first resize.
    const int h = 3735 + 1800, w = 5775 + 360;
    QVERIFY(near(list()->height(), twips::toPixels(3735, dpiY)));
    QVERIFY(near(list()->width(), twips::toPixels(5775, dpiX)));
    QVERIFY(near(command2->y(), twips::toPixels(h - 1200, dpiY)));
    QVERIFY(near(text1->y(), twips::toPixels(h - 1600, dpiY)));
    QVERIFY(near(label2->x(), twips::toPixels(w - 1100, dpiX)));
    // Every caption fits, and no neighbour covers another.
    for (QWidget *captioned : {static_cast<QWidget *>(command2), static_cast<QWidget *>(command3),
                               static_cast<QWidget *>(label1)})
        QVERIFY2(captioned->width() >= captioned->sizeHint().width(),
                 qPrintable(captioned->objectName()));
    QVERIFY(command3->x() >= std::max(command2->geometry().right(), twips::toPixels(1680, dpiX)));
    QVERIFY(label1->geometry().right() < label2->x());

    const QRect list0 = list()->geometry(), text0 = text1->geometry();
    const QPoint b2 = command2->pos(), l1 = label1->pos(), l2 = label2->pos();
    window->resize(window->width() + 150, window->height() + 90);
    QTRY_COMPARE(list()->width(), list0.width() + 150);
    QVERIFY(near(list()->height(), list0.height() + 90));
    QCOMPARE(list()->pos(), list0.topLeft());
    QVERIFY(near(text1->width(), text0.width() + 150));
    QVERIFY(near(text1->y(), text0.y() + 90));
    QVERIFY(near(label1->x(), l1.x() + 150) && near(label1->y(), l1.y() + 90));
    QVERIFY(near(label2->x(), l2.x() + 150) && near(label2->y(), l2.y() + 90));
    QCOMPARE(command2->x(), b2.x());
    QVERIFY(near(command2->y(), b2.y() + 90));

    window->resize(10, 10); // the minimum size keeps the list's size positive
    QTRY_VERIFY(window->width() >= window->minimumWidth());
    QVERIFY(list()->height() > 0 && list()->width() > 0);
}

void TestForm1::opensOverItsOwnerWithTheSelectionPlain()
{
    QWidget owner;
    owner.setGeometry(100, 60, 600, 480);
    owner.show();
    owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    Form1 *window = open(m_five);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QPoint off = window->frameGeometry().center() - owner.frameGeometry().center();
    QVERIFY2(off.manhattanLength() <= 2, qPrintable(QString("%1 %2").arg(off.x()).arg(off.y())));

    // The selected icon is marked around its picture, not by a bar under it: compare the item's
    // surroundings selected and not.
    QAbstractItemView *view = list()->currentView();
    const QRect item = list()->itemRect(2);
    const QColor highlight = view->palette().color(QPalette::Active, QPalette::Highlight);
    const auto highlighted = [&] {
        const QImage shot = view->viewport()->grab().toImage();
        int count = 0;
        for (int y = item.top(); y <= item.bottom(); ++y)
            for (int x = item.left(); x <= item.right(); ++x)
                count += std::abs(qRed(shot.pixel(x, y)) - highlight.red()) +
                             std::abs(qGreen(shot.pixel(x, y)) - highlight.green()) +
                             std::abs(qBlue(shot.pixel(x, y)) - highlight.blue()) <
                         48;
        return count;
    };
    QCOMPARE(highlighted(), 0);

    clickItem(2);
    QVERIFY2(highlighted() >= (item.width() * item.height() - 32 * 32) / 2,
             qPrintable(QString::number(highlighted())));
}

// The browser's frame is centred on its owner's, also right after a message box has closed and
// no window is active; an owner near the top edge puts the browser's title bar on the screen too,
// checked again under a window manager (tests/withopenbox.sh), whose frame Qt learns late.
void TestForm1::opensOverItsOwnerWithTheWholeFrameOnScreen_data()
{
    QTest::addColumn<QRect>("ownerRect");
    QTest::addColumn<bool>("noneActive");
    QTest::newRow("near the top edge") << QRect(30, 40, 240, 120) << false;
    QTest::newRow("no window active") << QRect(50, 50, 400, 300) << true;
}

void TestForm1::opensOverItsOwnerWithTheWholeFrameOnScreen()
{
    QFETCH(QRect, ownerRect);
    QFETCH(bool, noneActive);
    QWidget owner;
    owner.setGeometry(ownerRect);
    owner.show();
    owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    // Now and then Qt reads a frame before the window manager has made it, and keeps that.
    const auto framed = [](QWidget *w) {
        return QTest::qWaitFor([w] { return w->frameGeometry() != w->geometry(); });
    };
    if (!framed(&owner))
        QSKIP("the owner's frame never reached Qt");
    QTest::qWait(100);
    const QRect ownerFrame = owner.frameGeometry();
    if (noneActive)
        QApplication::setActiveWindow(nullptr);
    Form1 *window = open(m_five);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    if (!framed(window))
        QSKIP("the browser's frame never reached Qt");
    // A window manager settles a new window in a few steps: the checks wait for the last one.
    const auto where = [&] {
        const QRect frame = window->frameGeometry();
        return QString("%1,%2 %3x%4")
            .arg(frame.x())
            .arg(frame.y())
            .arg(frame.width())
            .arg(frame.height());
    };
    QTRY_VERIFY2(window->screen()->availableGeometry().contains(window->frameGeometry()),
                 qPrintable(where()));
    if (owner.frameGeometry() != ownerFrame)
        QSKIP("the window manager moved the owner meanwhile");
    if (noneActive) {
        QTRY_VERIFY2((window->frameGeometry().center() - ownerFrame.center()).manhattanLength() <=
                         4,
                     qPrintable(where()));
    }
}

void TestForm1::fileMenuReadsTheChosenLibrary()
{
    QVERIFY(open(m_five));
    const auto original = Form1::fileChooser();
    Form1::fileChooser() = [](QWidget *) { return QString(); };
    child<QAction>("mnuFileGetf")->trigger(); // cancelled: nothing changes
    QCOMPARE(list()->count(), 5);
    Form1::fileChooser() = [this](QWidget *) { return m_two; };
    child<QAction>("mnuFileGetf")->trigger();
    Form1::fileChooser() = original;
    QCOMPARE(child<QLineEdit>("Text1")->text(), m_two);
    QCOMPARE(list()->count(), 2);
}

void TestForm1::showsTheHostsTextsInTheProgramsFont()
{
    qApp->setProperty("vindleTexts", QStringList{"Icons", "Choose"});
    Form1 *window = open(m_five);
    qApp->setProperty("vindleTexts", QVariant());
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("Icons"));
    QCOMPARE(child<QPushButton>("Command2")->text(), QString("Choose"));
    QCOMPARE(child<QPushButton>("Command3")->text(), QString("Обновить")); // not given: Russian
    QCOMPARE(window->font().pointSize(), 8);
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
