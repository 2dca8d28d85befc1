#pragma once

#include "vindle/iconextractor.h"

namespace vindle
{

// The icons of a file as our own bounds-checked reader finds them (the same groups, order and
// image choice as on Linux), each made into an HICON from its image bytes. The shell's
// ExtractIconEx is not used: it faults on damaged files and, under Wine, fills only one slot.
class ResourceIconExtractor final : public IconExtractor
{
public:
    int count(const std::u16string &path) override;
    void extract(const std::u16string &path, int n, IconHandle *large, IconHandle *small) override;
    void destroy(IconHandle icon) override;
};

} // namespace vindle
