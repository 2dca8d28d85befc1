#include "dialogs/drawfileicon.h"
#include "dialogs/fileiconfinder.h"
#include "engine/desktopinireader.h"
#include "picturefixtures.h"
#include "tests/vindle/iconfixtures.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class DrawFileIconTest : public QObject
{
    Q_OBJECT
    const QColor kSentinel{0, 0, 255}; // the surface before drawing
    QTemporaryDir m_root;

    QImage draw(const QString &path, int &width, int &height, QPoint at = {})
    {
        QImage surface(64, 64, QImage::Format_ARGB32);
        surface.fill(kSentinel);
        drawfileicon(&surface, at.x(), at.y(), path, width, height);
        return surface;
    }
    // True when `area` holds `colour` and the rest of the surface is untouched.
    bool paintedExactly(QImage surface, const QRect &area, QColor colour)
    {
        if (!allPixelsNear(surface, area, colour))
            return false;
        QPainter(&surface).fillRect(area, kSentinel);
        return allPixelsNear(surface, surface.rect(), kSentinel);
    }
    QString folder(const QString &name)
    {
        QDir().mkpath(m_root.filePath(name));
        return m_root.filePath(name);
    }

private slots:
    void initTestCase() { qputenv("RAVO2_ANSI_CODEPAGE", "1251"); }

    void nothingDrawnWithoutAPathOrIcon()
    {
        for (const QString &path : {QString(), m_root.filePath("absent")}) {
            int width = 16, height = 0;
            QVERIFY(allPixelsNear(draw(path, width, height), {0, 0, 64, 64}, kSentinel));
            QCOMPARE(height, 0); // only a drawn icon fills in the height
        }
    }

    void sizesFollowWidthAndHeight_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QSize>("drawn");
        QTest::newRow("own size") << 0 << 0 << QSize(32, 32);
        QTest::newRow("16, height 0") << 16 << 0 << QSize(16, 16);
        QTest::newRow("16 by 8") << 16 << 8 << QSize(16, 8);
    }
    void sizesFollowWidthAndHeight()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QSize, drawn);
        // A large picture shows that the icon is scaled to the size, not copied at its own.
        const QString dir = folder("sized");
        QVERIFY(writeColourPicture(dir + "/big.png", "png", Qt::red, 128));
        QVERIFY(writeDesktopIni(dir, "big.png"));
        const QImage surface = draw(dir, width, height, QPoint(8, 6));
        QCOMPARE(height, width == 0 ? 0 : drawn.height());
        QVERIFY(paintedExactly(surface, QRect(QPoint(8, 6), drawn), Qt::red));
    }

    void folderShowsTheIconItsDesktopIniNames_data()
    {
        QTest::addColumn<QString>("iconFile"); // written into the folder unless a module
        QTest::addColumn<QString>("index");
        QTest::addColumn<QColor>("colour"); // invalid: the theme's folder icon instead
        using iconfixtures::colourOf;
        QTest::newRow("png, absolute") << "*icon.png"
                                       << "0" << QColor(Qt::red);
        QTest::newRow("ico, relative") << "icon.ico"
                                       << "0" << QColor(Qt::red);
        QTest::newRow("relative, beside the folder") << "..\\Значки\\icon.ico"
                                                     << "0" << QColor(Qt::red);
        QTest::newRow("cur") << "pointer.cur"
                             << "0" << QColor(Qt::red);
        QTest::newRow("bmp") << "picture.bmp"
                             << "0" << QColor(Qt::red);
        QTest::newRow("Cyrillic, 1251") << "*красный.png"
                                        << "0" << QColor(Qt::red);
        QTest::newRow("library, third") << "icons.dll"
                                        << "2" << QColor::fromRgb(colourOf(2, 32));
        QTest::newRow("library, id 3") << "icons.dll"
                                       << "-3" << QColor::fromRgb(colourOf(2, 32));
        QTest::newRow("library, past last") << "icons.dll"
                                            << "4" << QColor();
        QTest::newRow("icon file missing") << "gone.ico"
                                           << "0" << QColor();
        QTest::newRow("no desktop.ini") << ""
                                        << "0" << QColor();
    }
    void folderShowsTheIconItsDesktopIniNames()
    {
        QFETCH(QString, iconFile);
        QFETCH(QString, index);
        QFETCH(QColor, colour);
        const QString dir = folder(QString("Папка ") + QTest::currentDataTag());
        const bool absolute = iconFile.startsWith('*');
        const QString name = iconFile.mid(absolute ? 1 : 0);
        // A value as a Windows reader resolves it: relative to the folder, "\\" between names.
        const QString path = QDir::cleanPath(QDir(dir).filePath(QString(name).replace('\\', '/')));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        if (name.endsWith(".dll")) {
            const auto module = iconfixtures::buildModule(iconfixtures::plainModule(4));
            QVERIFY(iconfixtures::writeFile(path.toStdString(), module));
        } else if (colour.isValid()) {
            QVERIFY(writeColourPicture(path, QFileInfo(name).suffix().toLatin1(), Qt::red));
        }
        if (!name.isEmpty())
            QVERIFY(writeDesktopIni(dir, absolute ? path : name, index));
        int width = 0, height = 0;
        const QImage surface = draw(dir + '/', width, height);
        if (colour.isValid())
            QVERIFY(paintedExactly(surface, {0, 0, 32, 32}, colour));
        QVERIFY(!allPixelsNear(surface, {0, 0, 32, 32}, kSentinel)); // else the folder icon
        for (int i = 0; i < 4 && !colour.isValid(); ++i)
            QVERIFY(!allPixelsNear(surface, {0, 0, 32, 32}, iconfixtures::colourOf(i, 32)));
    }

    // What a folder's owner plants for a window run as root: nothing hangs the window or fills its
    // memory, and the folder shows as not dressed.
    void plantedFilesShowNoIconOfTheirOwn_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow("the icon is a FIFO") << "fifo";
        QTest::newRow("the icon is past its bound") << "icon";
        QTest::newRow("desktop.ini is past its bound") << "ini";
    }
    void plantedFilesShowNoIconOfTheirOwn()
    {
        QFETCH(QString, planted);
        const QString dir = folder("planted " + planted), icon = dir + "/icon.png";
        if (planted == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(icon).constData(), 0600), 0);
        else
            QVERIFY(writeColourPicture(icon, "png", Qt::red));
        QVERIFY(writeDesktopIni(dir, "icon.png"));
        if (planted != "fifo") {
            const bool ini = planted == "ini";
            QFile file(ini ? dir + "/desktop.ini" : icon);
            QVERIFY(file.resize(qint64(ini ? engine::kMaxDesktopIniBytes : kMaxIconFileBytes) + 1));
        }
        alarm(60); // a blocking open would hang here for good
        int width = 0, height = 0;
        const QImage surface = draw(dir + '/', width, height);
        alarm(0);
        QVERIFY(!allPixelsNear(surface, {0, 0, 32, 32}, Qt::red));
        QVERIFY(!allPixelsNear(surface, {0, 0, 32, 32}, kSentinel)); // the folder icon instead
    }

    // A client finds Windows' own library in its system folder; here Wine's copy stands for it.
    void folderShowsWindowsOwnLibraryFromWine()
    {
        const QString wine = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
        if (!QFileInfo::exists(wine))
            QSKIP("Wine's shell32.dll is not installed here");
        const QString bySystem = folder("system"), byPath = folder("path");
        QVERIFY(writeDesktopIni(bySystem, "%SystemRoot%\\system32\\shell32.dll", "3"));
        QVERIFY(writeDesktopIni(byPath, wine, "3"));
        int width = 0, height = 0;
        const QImage drawn = draw(bySystem + '/', width, height);
        QCOMPARE(drawn, draw(byPath + '/', width, height));
        QVERIFY(drawn != draw(folder("bare") + '/', width, height)); // not the folder icon
    }

    // A library reached through a link that another user could have planted is never read.
    void libraryBehindAForeignLinkIsNotRead()
    {
        const QString wine = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
        if (!QFileInfo::exists(wine))
            QSKIP("Wine's shell32.dll is not installed here");
        if (geteuid() != 0)
            QSKIP("giving a link to another user needs root");
        const QString own = folder("own link"), foreign = folder("foreign link");
        for (const QString &dir : {own, foreign}) {
            QCOMPARE(::symlink(QFile::encodeName(wine).constData(),
                               QFile::encodeName(dir + "/lib.dll").constData()),
                     0);
            QVERIFY(writeDesktopIni(dir, dir + "/lib.dll", "3"));
        }
        QCOMPARE(::lchown(QFile::encodeName(foreign + "/lib.dll").constData(), 12345, 12345), 0);
        int width = 0, height = 0;
        const QImage bare = draw(folder("bare") + '/', width, height);
        QVERIFY(draw(own + '/', width, height) != bare);
        QCOMPARE(draw(foreign + '/', width, height), bare);
    }
};

QTEST_MAIN(DrawFileIconTest)
#include "drawfileicon_test.moc"
