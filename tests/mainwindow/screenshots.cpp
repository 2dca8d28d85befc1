// Grabs each window the documentation shows into docs/*.png (scripts/screenshots.sh runs it).
#include "docwindows.h"

#include <QApplication>
#include <QDir>
#include <QtTest>

#include <iostream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    const bool ok = showDocWindows([&](const QString &name, QWidget *window) {
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            return false;
        QTest::qWait(200);
        const QString path = QDir(out).filePath(name);
        const bool saved = window->grab().save(path);
        std::cout << qPrintable(path) << (saved ? "" : " (failed)") << '\n';
        return saved;
    });
    return ok ? 0 : 1;
}
