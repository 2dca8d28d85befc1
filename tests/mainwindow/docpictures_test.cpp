// The documentation's pictures show the windows as they are: each has the size of its window.
#include "docwindows.h"

#include <QDir>
#include <QImage>
#include <QtTest>

class DocPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void eachPictureHasTheSizeOfItsWindow()
    {
        QStringList checked;
        const bool shown = showDocWindows([&](const QString &name, QWidget *window) {
            window->show();
            if (!QTest::qWaitForWindowExposed(window))
                return false;
            const QImage picture(QDir(RAVO2_SOURCE_DIR "/docs").filePath(name));
            const QSize size = window->size() * window->devicePixelRatio();
            if (picture.size() != size)
                qWarning() << name << "is" << picture.size() << "but its window is" << size
                           << "- run scripts/screenshots.sh";
            checked << name;
            return picture.size() == size;
        });
        QVERIFY2(shown, qPrintable(checked.join(' ')));
        QCOMPARE(checked.size(), 7);
    }
};

QTEST_MAIN(DocPicturesTest)
#include "docpictures_test.moc"
