#pragma once

#include "customisationrequest.h"

#include <optional>
#include <string>

namespace engine {

// Turns one request into the "desktop.ini" of one folder.
class DesktopIniWriter {
public:
    // The file's lines as UTF-8 text, each ending with CR LF.
    static std::string text(const CustomisationRequest &request);

    // The file's bytes: the text in the ANSI code page when every character fits, else UTF-16LE
    // with a byte-order mark (the shell reads both); nullopt when a value is not valid UTF-8.
    static std::optional<std::string> bytes(const CustomisationRequest &request, unsigned codePage);

    // The signed decimal form of a colour value (0x00BBGGRR read as a 32-bit signed integer).
    static std::string colourText(std::uint32_t colour);
};

} // namespace engine
