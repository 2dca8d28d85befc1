#pragma once

#include "customisationrequest.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine
{

// What the switches of one command line asked for; unset members were not given.
struct CommandLineRequest {
    bool valid = false;                     // false: the line holds no switch at all (a failure)
    bool showHelp = false;                  // "--help": print the switches and end
    bool showVersion = false;               // "--version": print the version and end
    std::vector<std::string> folders;       // every "-fp", in order
    std::optional<std::string> iconPath;    // "-ip" (also ticks the icon flag)
    std::optional<std::string> iconIndex;   // "-ii" (also selects the library source)
    std::optional<std::string> infoTip;     // "-tt" (also ticks the info tip flag)
    std::optional<std::string> picturePath; // "-pp" (also ticks the background flag)
    std::optional<std::uint32_t> colour;    // "-tc" with a known colour word
    std::optional<WindowsMode> windowsMode; // "-wv" with "xp" or "9x"
};

// Cuts the command-line text into switches. A piece starts at a "-" that begins the line or
// follows a blank, so a "-" inside a value stays part of it.
CommandLineRequest parseCommandLine(std::string_view commandLine);

// The colour value of a "-tc" word (already lower case); nullopt for any other word.
std::optional<std::uint32_t> colourForWord(std::string_view word);

// Fills the request's fields as the main window's controls would take them: each value with the
// flag or source its switch sets, later switches winning, every "-fp" appended.
void applyCommandLine(const CommandLineRequest &parsed, CustomisationRequest &request);

// The text printed for "--help" and for "--version".
std::string helpText();
std::string versionText();

} // namespace engine
