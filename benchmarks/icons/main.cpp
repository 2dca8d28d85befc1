// bench_icons [library...]: time to count and extract every icon at 32 and 16 pixels, and from
// the vindle call to the browser window shown with all icons. Runs offscreen.
#include "vindle/componentservices.h"
#include "vindle/cscrab.h"
#include "vindle/form1.h"
#include "vindle/iconlistview.h"

#ifdef RAVO2_WITH_FIXTURES
#include "iconfixtures.h"
#endif

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

constexpr int runs = 7;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// FileName put: count, then extract every icon at both sizes (what ExtractIconExA does).
double extractMs(const QString &path, int &count)
{
    const vindle::ComponentServices services = vindle::componentServices();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        vindle::CScrab scrab(services.icons, services.browser);
        QElapsedTimer timer;
        timer.start();
        scrab.setFileName(path.toStdU16String());
        times.push_back(timer.nsecsElapsed() / 1e6);
        count = scrab.numberIcons();
    }
    return median(times);
}

// From the vindle call until the window is shown with every icon listed.
double browserMs(const QString &path, int count)
{
    const vindle::ComponentServices services = vindle::componentServices();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        vindle::CScrab scrab(services.icons, services.browser);
        QElapsedTimer timer;
        QTimer::singleShot(0, [&] {
            vindle::Form1 *window = vindle::Form1::threadWindow();
            const auto *list = window->findChild<vindle::IconListView *>("ListView1");
            if (window->isVisible() && list->count() == count)
                times.push_back(timer.nsecsElapsed() / 1e6);
            window->close();
        });
        std::u16string result;
        timer.start();
        scrab.vindle(path.toStdU16String(), 1, result);
    }
    return times.empty() ? -1 : median(times);
}

void measure(const QString &path, const QString &label)
{
    int count = 0;
    const double extract = extractMs(path, count);
    const double browse = browserMs(path, count);
    std::printf("%-28s %5d icons  count+extract %8.2f ms  vindle->window shown %8.2f ms\n",
                qPrintable(label), count, extract, browse);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("median of %d runs each\n", runs);
    QStringList libraries = app.arguments().mid(1);
    if (libraries.isEmpty()) {
        const QString wine = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/";
        for (const char *name : {"shell32.dll", "user32.dll", "comdlg32.dll"}) {
            if (QFileInfo::exists(wine + name))
                libraries << wine + name;
        }
    }
    for (const QString &library : libraries)
        measure(library, QFileInfo(library).fileName());
#ifdef RAVO2_WITH_FIXTURES
    QTemporaryDir dir;
    for (const int count : {1, 20, 200}) {
        const QString path = dir.filePath(QString("pe-fixture-%1.dll").arg(count));
        iconfixtures::writeFile(path.toStdString(),
                                iconfixtures::buildModule(iconfixtures::plainModule(count, true)));
        measure(path, QString("fixture, %1 icons").arg(count));
    }
#endif
    return 0;
}
