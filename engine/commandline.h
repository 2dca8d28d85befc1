#pragma once

#include "customisationrequest.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine
{

// A "-fl" list file and how many "-fp" folders came before it, which keeps the two in line order.
struct FolderListSwitch {
    std::size_t afterFolders = 0;
    std::string path;
};

// A "-tc" or "-wv" value that is not one of the switch's words.
struct UnknownWord {
    std::string switchName;
    std::string word;
};

// What the switches of one command line asked for; unset members were not given.
struct CommandLineRequest {
    bool valid = false;                     // false: the line holds no switch at all (a failure)
    bool showHelp = false;                  // the whole line is "--help": print the switches
    bool showVersion = false;               // the whole line is "--version": print the version
    std::vector<std::string> folders;       // every "-fp", in order
    std::optional<std::string> iconPath;    // "-ip" (also ticks the icon flag)
    std::optional<std::string> iconIndex;   // "-ii" (also selects the library source)
    std::optional<std::string> infoTip;     // "-tt" (also ticks the info tip flag)
    std::optional<std::string> picturePath; // "-pp" (also ticks the background flag)
    std::optional<std::uint32_t> colour;    // "-tc" with a known colour word
    std::optional<WindowsMode> windowsMode; // "-wv" with "xp" or "9x"

    // Every "-fl", in order.
    std::vector<FolderListSwitch> folderLists;
    // "-go": a failing folder does not stop the run.
    bool goOn = false;
    // "-dr": show what would be done, change nothing.
    bool dryRun = false;
    // "-ls": print each folder's dressing as JSON.
    bool listDressing = false;
    // "-rm": take the dressing away.
    bool remove = false;
    // Each piece whose switch is not known, as typed, and the "-tc" and "-wv" words that name
    // nothing: warned of.
    std::vector<std::string> unknownSwitches;
    std::vector<UnknownWord> unknownWords;

    // True when a switch asks for the road without a window (lists, going on, looking, removing).
    bool needsNoWindow() const
    {
        return !folderLists.empty() || goOn || dryRun || listDressing || remove;
    }
    // True when some folder is named, by "-fp" or by a list.
    bool namesFolders() const { return !folders.empty() || !folderLists.empty(); }
    bool copyIcon = false; // "-ci": copy the icon and picture into the folders
};

// Cuts the command-line text into switches. A piece starts at a "-" that begins the line or
// follows a blank, so a "-" inside a value stays part of it.
CommandLineRequest parseCommandLine(std::string_view commandLine);

// The colour value of a "-tc" word (already lower case); nullopt for any other word.
std::optional<std::uint32_t> colourForWord(std::string_view word);

// Turns the text values (-ip, -ii, -tt, -pp) from the locale's encoding into UTF-8, and with
// `foldersAsText` the folders too (the window holds them as text); without it the folders stay
// the bytes they were, for the system calls. Returns the switch of the first value that
// cannot be decoded (the values are then partly decoded), or nullopt when every value was.
std::optional<std::string> decodeTextValues(CommandLineRequest &parsed, bool foldersAsText);

// Fills the request's fields as the main window's controls would take them: each value with the
// flag or source its switch sets, later switches winning, every "-fp" appended.
void applyCommandLine(const CommandLineRequest &parsed, CustomisationRequest &request);
// The same, taking the folders over from `parsed` rather than copying them (long lists).
void applyCommandLine(CommandLineRequest &&parsed, CustomisationRequest &request);

// The text printed for "--help" (in the user's language) and for "--version".
std::string helpText();
std::string versionText();

} // namespace engine
