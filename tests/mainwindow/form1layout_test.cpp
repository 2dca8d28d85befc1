#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/form4.h"
#include "dialogs/form6.h"
#include "dialogs/twips.h"
#include "mainwindow/colourswatch.h"
#include "mainwindow/form1.h"
#include "mainwindowtesting.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The main window's controls in both layouts, its start state and its load step.
class Form1LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void fileLayoutPlacesEachControlInItsFrame_data();
    void fileLayoutPlacesEachControlInItsFrame();
    void libraryLayoutMovesTheLowerRowsAndGrows();
    void startStateAndLoad();
    void everyWindowHasTheProgramIcon();
    void f10OpensTheMenu();
    void iconSourceFrameBorderClearsTheFileOption();

private:
    // True when the widget's rectangle is within half a pixel of these twips.
    static bool at(QWidget *w, int left, int top, int width, int height);
};

bool Form1LayoutTest::at(QWidget *w, int left, int top, int width, int height)
{
    const double dpi = w->logicalDpiY();
    const QRect g = w->geometry();
    const int got[] = {g.x(), g.y(), g.width(), g.height()};
    const int want[] = {left, top, width, height};
    for (int i = 0; i < 4; ++i) {
        if (qAbs(twips::fromPixels(got[i], dpi) - want[i]) > 1440 / dpi / 2 + 1) {
            qWarning() << w->objectName() << g << "is not at" << left << top << width << height;
            return false;
        }
    }
    return true;
}

void Form1LayoutTest::fileLayoutPlacesEachControlInItsFrame_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QList<int>>("place");
    const struct {
        const char *name, *parent;
        QList<int> place;
    } rows[] = {
        {"Frame1", "client", {120, 120, 5055, 615}},
        {"Text1", "Frame1", {120, 240, 4455, 315}},
        {"Command1", "client", {4800, 360, 255, 255}},
        {"Frame3", "client", {5280, 120, 1575, 735}},
        {"Option1", "client", {5400, 360, 1215, 195}},
        {"Option2", "client", {5400, 600, 1215, 195}},
        {"Check2", "client", {120, 1080, 220, 255}},
        {"Frame2", "client", {360, 840, 5055, 615}},
        {"Text2", "Frame2", {120, 240, 4455, 285}},
        {"Command2", "client", {5040, 1080, 255, 255}},
        {"Label1_0", "Frame2", {120, 600, 570, 195}},
        {"Text3", "Frame2", {720, 600, 615, 285}},
        {"Command6", "Frame2", {1440, 600, 1815, 255}},
        {"Check1", "client", {120, 1920, 220, 255}},
        {"Frame4", "client", {360, 1560, 5055, 615}},
        {"Text4", "Frame4", {120, 240, 4815, 285}},
        {"Check3", "client", {120, 2640, 220, 255}},
        {"Frame8", "client", {360, 2280, 5055, 975}},
        {"Text5", "Frame8", {120, 240, 4455, 285}},
        {"Command10", "client", {5040, 2520, 255, 255}},
        {"Label1_1", "Frame8", {120, 600, 2100, 195}},
        {"Picture1", "Frame8", {2280, 600, 2295, 255}},
        {"Command11", "client", {5040, 2880, 255, 255}},
        {"Command3", "client", {5520, 960, 1335, 855}},
        {"Command4", "client", {5520, 1920, 1335, 375}},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.parent) << r.place;
}

void Form1LayoutTest::fileLayoutPlacesEachControlInItsFrame()
{
    QFETCH(QString, parent);
    QFETCH(QList<int>, place);
    Form1 form;
    auto *w = form.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(w);
    QCOMPARE(w->parentWidget()->objectName(), parent);
    QVERIFY(at(w, place[0], place[1], place[2], place[3]));
}

void Form1LayoutTest::libraryLayoutMovesTheLowerRowsAndGrows()
{
    Form1 form;
    auto *client = form.findChild<QWidget *>("client");
    const auto w = [&form](const char *name) { return form.findChild<QWidget *>(name); };
    const auto checkLayout = [&](bool library) {
        const int shift = library ? 360 : 0;
        QVERIFY(at(client, 0, twips::fromPixels(client->y(), client->logicalDpiY()), 6975,
                   3375 + shift));
        QVERIFY(at(w("Frame2"), 360, 840, 5055, 615 + shift));
        QVERIFY(at(w("Frame4"), 360, 1560 + shift, 5055, 615));
        QVERIFY(at(w("Check1"), 120, 1920 + shift, 220, 255));
        QVERIFY(at(w("Frame8"), 360, 2280 + shift, 5055, 975)); // bottom at 3255 / 3615
        QVERIFY(at(w("Check3"), 120, 2640 + shift, 220, 255));
        QVERIFY(at(w("Command10"), 5040, 2520 + shift, 255, 255));
        QVERIFY(at(w("Command11"), 5040, 2880 + shift, 255, 255));
        QVERIFY(at(w("Command3"), 5520, 960, 1335, 855)); // the right column stays
        QCOMPARE(w("Text3")->isHidden(), !library);
        // The frame's bottom border looks alike along its length: no second row drawn over it.
        const QImage frame = w("Frame2")->grab().toImage();
        for (int y = frame.height() - 3; y < frame.height(); ++y)
            for (int x = 8; x < frame.width() - 8; ++x)
                QCOMPARE(frame.pixel(x, y), frame.pixel(frame.width() - 8, y));
        QCOMPARE(form.findChild<QAction *>("mnuFileicobyLib")->isChecked(), library);
        QCOMPARE(form.findChild<QAction *>("mnuFileicobyFile")->isChecked(), !library);
        // The window is its menu bar over its client area, and follows the layout.
        QCOMPARE(form.height(), form.menuBar()->sizeHint().height() + client->height());
    };
    checkLayout(false);
    QTest::mouseClick(form.findChild<QRadioButton *>("Option2"), Qt::LeftButton);
    checkLayout(true);
    form.findChild<QAction *>("mnuFileicobyLib")->trigger(); // selected twice: nothing moves
    checkLayout(true);
    form.findChild<QAction *>("mnuFileicobyFile")->trigger();
    QVERIFY(form.findChild<QRadioButton *>("Option1")->isChecked());
    checkLayout(false);
}

void Form1LayoutTest::startStateAndLoad()
{
    TestScope scope;
    TestScope::store("clearlistoffolders", "1");
    Form1 form;
    QCOMPARE(form.findChild<QLineEdit *>("Text3")->text(), QStringLiteral("0"));
    for (const char *name : {"Check1", "Check2", "Check3"})
        QVERIFY(!form.findChild<QCheckBox *>(name)->isChecked());
    QCOMPARE(form.findChild<ColourSwatch *>("Picture1")->colour(), QColor(Qt::black));
    QVERIFY(form.findChild<QRadioButton *>("Option1")->isChecked());
    QCOMPARE(form.findChild<QPushButton *>("Command3")->text(), QStringLiteral("Сделать:"));

    QVERIFY(form.load());
    QCOMPARE(form.windowTitle(), QStringLiteral("Ravo ver. 2.0.35"));
    QVERIFY(form.options()->clearListOfFolders()); // loaded from the store, hidden
    QVERIFY(!form.options()->isVisible());

    form.findChild<QAction *>("mnuAbout")->trigger();
    QCOMPARE(scope.prompter.messages.size(), 1);
    const auto &about = scope.prompter.messages.first();
    QCOMPARE(about.icon, QMessageBox::Information);
    QCOMPARE(about.title, QStringLiteral("О программе..."));
    const QStringList lines = about.text.split(QLatin1Char('\r'));
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[0], QStringLiteral("Программа для изменения иконок на папках"));
    QCOMPARE(lines[3], QStringLiteral("Версия 2.0.35"));
    QVERIFY(lines[2].isEmpty() && lines[4].isEmpty() && !about.text.contains('\n'));
}

void Form1LayoutTest::everyWindowHasTheProgramIcon()
{
    TestScope scope;
    Form1 form;
    const QList<QWidget *> windows{&form, form.options(), form.picker(), form.folderList(),
                                   form.removeChoice()};
    for (QWidget *window : windows)
        QVERIFY2(!window->windowIcon().isNull(), qPrintable(window->objectName()));
    QVERIFY(!QApplication::windowIcon().isNull()); // the icon browser's, a window of its own
}

void Form1LayoutTest::f10OpensTheMenu()
{
    TestScope scope;
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F10);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("mnuFile"));
    QApplication::activePopupWidget()->close();
}

void Form1LayoutTest::iconSourceFrameBorderClearsTheFileOption()
{
    TestScope scope;
    Form1 form;
    auto *frame = form.findChild<QWidget *>("Frame3");
    auto *option = form.findChild<QRadioButton *>("Option1");
    const QImage shot = frame->grab().toImage();
    const int x = shot.width() - 6; // right of the option, inside the frame
    const QRgb background = shot.pixel(x, 0);
    int border = 1;
    while (border < shot.height() && shot.pixel(x, border) == background)
        ++border;
    QVERIFY2(frame->y() + border < option->y(),
             qPrintable(
                 QString("border at %1, option at %2").arg(frame->y() + border).arg(option->y())));
}

QTEST_MAIN(Form1LayoutTest)
#include "form1layout_test.moc"
