// Prints how long the folder list takes to build for 1,000 folders: plain ones, and ones whose
// desktop.ini names an icon file. Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include "dialogs/form3.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace
{

constexpr int kFolders = 1000;

QStringList makeFolders(const QString &root, bool dressed)
{
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    const QString icon = QDir(root).filePath(QStringLiteral("red.ico"));
    red.save(icon, "ico");
    QStringList folders;
    for (int i = 0; i < kFolders; ++i) {
        const QString folder = QDir(root).filePath(QStringLiteral("f%1").arg(i));
        QDir().mkpath(folder);
        if (dressed) {
            QFile ini(folder + QStringLiteral("/desktop.ini"));
            if (ini.open(QIODevice::WriteOnly))
                ini.write(
                    ("[.ShellClassInfo]\r\nIconFile=" + icon + "\r\nIconIndex=0\r\n").toUtf8());
        }
        folders << folder + QLatin1Char('/');
    }
    return folders;
}

double millisecondsToBuild(const QStringList &folders)
{
    QComboBox box;
    box.setEditable(true);
    box.addItems(folders);
    Form3 form(&box);
    QElapsedTimer timer;
    timer.start();
    form.buildList();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    for (const bool dressed : {false, true}) {
        QTemporaryDir root;
        const QStringList folders = makeFolders(root.path(), dressed);
        const double first = millisecondsToBuild(folders);
        const double second = millisecondsToBuild(folders);
        std::printf("%d %s folders: first build %.1f ms, second build %.1f ms\n", kFolders,
                    dressed ? "dressed" : "plain", first, second);
    }
    return 0;
}
