// Prints how long the folder list takes for 20,000 folders, plain ones and ones whose desktop.ini
// names an icon file: until the window shows every entry, until every icon is drawn, and the
// longest the window goes without handling its events meanwhile. Run with
// QT_QPA_PLATFORM=offscreen where there is no display.
#include "dialogs/form3.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace
{

constexpr int kFolders = 20000;

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

struct Figures {
    double shown = 0;       // the list filled and the window shown, in ms
    double allIcons = 0;    // every icon drawn, in ms from the start
    double longestTurn = 0; // the longest single turn of the event loop meanwhile, in ms
};

double since(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

Figures measure(const QStringList &folders)
{
    QComboBox box;
    box.setEditable(true);
    box.addItems(folders);
    Form3 form(&box);
    Figures figures;
    QElapsedTimer timer;
    timer.start();
    form.buildList();
    form.show();
    figures.shown = since(timer);
    while (form.iconsPending()) {
        const double before = since(timer);
        QCoreApplication::processEvents();
        figures.longestTurn = std::max(figures.longestTurn, since(timer) - before);
    }
    figures.allIcons = since(timer);
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    for (const bool dressed : {false, true}) {
        QTemporaryDir root;
        const QStringList folders = makeFolders(root.path(), dressed);
        for (const char *round : {"first", "again"}) {
            const Figures f = measure(folders);
            std::printf("%d %s folders, %s: shown %.1f ms, all icons %.1f ms, longest turn "
                        "%.1f ms\n",
                        kFolders, dressed ? "dressed" : "plain", round, f.shown, f.allIcons,
                        f.longestTurn);
        }
    }
    return 0;
}
