#include "vindle/qticonextractor.h"

#include "vindle/cscrabinterface.h"
#include "vindle/icons/iconlibrary.h"

#include <QString>

namespace vindle
{

int QtIconExtractor::count(const std::u16string &path)
{
    return icons::IconLibrary(QString::fromStdU16String(path)).count();
}

void QtIconExtractor::extract(const std::u16string &path, int n, IconHandle *large,
                              IconHandle *small)
{
    const icons::IconLibrary library(QString::fromStdU16String(path));
    for (int i = 0; i < n; ++i) {
        large[i] = makeHandle(library.image(i, LargeIcon));
        small[i] = makeHandle(library.image(i, SmallIcon));
    }
}

void QtIconExtractor::destroy(IconHandle icon)
{
    if (!icon)
        return;
    delete static_cast<QImage *>(icon);
}

IconHandle QtIconExtractor::makeHandle(const QImage &image)
{
    if (image.isNull())
        return nullptr;
    return new QImage(image);
}

} // namespace vindle
