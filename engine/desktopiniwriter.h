#pragma once

#include "customisationrequest.h"
#include "platform/status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace engine
{

// The icon and picture paths as one folder's file gives them.
struct IniFilePaths {
    std::string_view icon;    // IconFile
    std::string_view picture; // IconArea_Image
};

// Turns one request into the "desktop.ini" of one folder.
class DesktopIniWriter
{
public:
    // The file's lines as UTF-8 text, each ending with CR LF.
    static std::string text(const CustomisationRequest &request);

    // The same with the icon and picture paths that `paths` gives for the folder.
    static std::string text(const CustomisationRequest &request, const IniFilePaths &paths);

    // The file's bytes: the text in the ANSI code page when every character fits, else UTF-16LE
    // with a byte-order mark (the shell reads both); nullopt when checkValues refuses the request.
    static std::optional<std::string> bytes(const CustomisationRequest &request, unsigned codePage);

    // The same with the icon and picture paths that `paths` gives for the folder.
    static std::optional<std::string> bytes(const CustomisationRequest &request, unsigned codePage,
                                            const IniFilePaths &paths);

    // The bytes of a file's UTF-8 text: ASCII as it is; other text in `codePage` when one is given
    // and holds every character, else UTF-16LE with a byte-order mark.
    static std::string encoded(std::string_view text, std::optional<unsigned> codePage);

    // Why the request cannot become a file: EILSEQ for a value that is not valid UTF-8, EINVAL for
    // a value holding a line break (it would add lines of its own); success when every value fits.
    static platform::Status checkValues(const CustomisationRequest &request);

    // The signed decimal form of a colour value (0x00BBGGRR read as a 32-bit signed integer).
    static std::string colourText(std::uint32_t colour);
};

} // namespace engine
