#pragma once

#include "vindle/iconextractor.h"

#include <QImage>

namespace vindle
{

// QtIconExtractor: icons read by our own PE/ICO reader; a handle is a heap QImage.
class QtIconExtractor final : public IconExtractor
{
public:
    int count(const std::u16string &path) override;
    void extract(const std::u16string &path, int n, IconHandle *large, IconHandle *small) override;
    void destroy(IconHandle icon) override;

    // The image behind a handle this class made (null handle: null).
    static const QImage *image(IconHandle icon) { return static_cast<const QImage *>(icon); }

private:
    static IconHandle makeHandle(const QImage &image);
};

} // namespace vindle
