// The DOS attribute codec: any stored value decodes without harm, and what it encodes decodes back.
#include "fuzzcheck.h"
#include "platform/attributes.h"
#include "platform/dosattrib.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using fuzzcheck::check;

namespace
{

// The text form never carries the directory bit: the file system says what is a folder.
void checkRoundTrip(std::uint32_t attributes)
{
    const auto decoded = platform::decodeDosAttrib(platform::encodeDosAttrib(attributes));
    check(decoded && *decoded == (attributes & ~platform::kAttrDirectory));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view raw(reinterpret_cast<const char *>(data), size);
    if (const auto value = platform::decodeDosAttrib(raw))
        checkRoundTrip(*value);
    if (size >= 4)
        checkRoundTrip(std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 |
                       std::uint32_t{data[2]} << 16 | std::uint32_t{data[3]} << 24);
    return 0;
}
