// The command-line reader over arbitrary text, and the request it fills.
#include "engine/commandline.h"
#include "engine/utf8.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using fuzzcheck::check;

namespace
{

// A value never runs into the next switch, and a cut never falls inside a character.
void checkValue(std::string_view value, bool lineIsUtf8)
{
    check(value.find(" -") == std::string_view::npos);
    check(!lineIsUtf8 || engine::utf8::isValid(value));
}

void checkTrimmed(std::string_view value)
{
    check(value.empty() || (value.front() != ' ' && value.back() != ' '));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char *>(data), size);
    const bool utf8 = engine::utf8::isValid(line);
    const engine::CommandLineRequest parsed = engine::parseCommandLine(line);
    // A line without any "-" holds no switch.
    check(!parsed.valid || line.find('-') != std::string_view::npos);
    for (const std::string &folder : parsed.folders) {
        checkValue(folder, utf8);
        checkTrimmed(folder);
    }
    for (const auto *value :
         {&parsed.iconPath, &parsed.iconIndex, &parsed.infoTip, &parsed.picturePath}) {
        if (*value)
            checkValue(**value, utf8);
    }
    if (parsed.iconPath)
        checkTrimmed(*parsed.iconPath);

    engine::CustomisationRequest request;
    engine::applyCommandLine(parsed, request);
    // The folder box shows the last folder added.
    check(parsed.folders.empty() || request.selectedFolder == request.targetFolders.back());
    return 0;
}
