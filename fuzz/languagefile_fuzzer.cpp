// The interface language file reader over arbitrary bytes, and the stored position it is picked by.
#include "engine/languagefile.h"
#include "engine/utf8.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using engine::LanguageFile;

using fuzzcheck::check;

namespace
{

void checkLines(std::string_view bytes, unsigned codePage)
{
    const auto lines = LanguageFile::lines(bytes, codePage);
    std::size_t carried = 0;
    for (const std::string &line : lines) {
        check(line.find('\r') == std::string::npos);
        check(engine::utf8::isValid(line));
        carried += line.size();
    }
    // Text already in UTF-8 is split, never changed: only the line ends go.
    if (engine::utf8::isValid(bytes)) {
        std::size_t ends = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            ends += bytes[i] == '\r' || (bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r');
        check(carried == bytes.size() - ends);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    checkLines(bytes, 1251);
    checkLines(bytes, 932);
    LanguageFile::isLanguageFileName(bytes);
    for (int count : {0, 1, 3, 1000}) {
        const auto index = LanguageFile::storedIndex(bytes, count);
        check(!index || (*index >= 0 && *index < count));
    }
    return 0;
}
