#pragma once

#include <string>

namespace vindle
{

// An icon image that can be drawn scaled and must be destroyed by its owner (HICON on Windows).
using IconHandle = void *;

// The platform's icon extraction (ExtractIconExA and DestroyIcon on Windows).
class IconExtractor
{
public:
    virtual ~IconExtractor() = default;

    // Number of icons in the file; 0 when it is missing, unreadable or holds none.
    virtual int count(const std::u16string &path) = 0;
    // Fills slots 0..n-1 of both tables with the 32- and 16-pixel images of icons 0..n-1; an icon
    // that cannot be extracted leaves its slots null.
    virtual void extract(const std::u16string &path, int n, IconHandle *large,
                         IconHandle *small) = 0;
    // Destroying a null handle is harmless.
    virtual void destroy(IconHandle icon) = 0;
};

} // namespace vindle
