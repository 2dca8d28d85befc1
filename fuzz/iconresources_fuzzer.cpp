// The PE/ICO icon reader over arbitrary bytes: every image it hands out must lie inside them.
#include "fuzzcheck.h"
#include "vindle/icons/iconresources.h"
#include "vindle/icons/iconselection.h"

#include <cstddef>
#include <cstdint>

using vindle::icons::IconGroup;
using vindle::icons::IconResources;

using fuzzcheck::check;

namespace
{

// A module may list 65535 groups; the first ones exercise the same code as the rest.
constexpr int kGroupsLooked = 64;

void checkGroup(const IconGroup &group, const std::uint8_t *begin, const std::uint8_t *end)
{
    for (const auto &image : group) {
        check(!image.data.empty());
        check(image.data.data() >= begin && image.data.data() + image.data.size() <= end);
        vindle::icons::plausibleImage(image);
    }
    for (int size : {16, 32, 48}) {
        const auto *best = vindle::icons::bestImage(group, size);
        check((best == nullptr) == group.empty());
        check(best == nullptr || (best >= group.data() && best < group.data() + group.size()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const IconResources icons({data, size});
    check(icons.count() >= 0);
    for (int i = 0; i < icons.count() && i < kGroupsLooked; ++i) {
        checkGroup(icons.group(i), data, data + size);
        icons.groupName(i);
    }
    check(icons.group(icons.count()).empty() && icons.group(-1).empty());
    return 0;
}
