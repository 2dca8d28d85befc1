#pragma once

#include "customisationrequest.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine
{

// What reading a folder's "desktop.ini" changes in the main window: each field that a line set,
// with its final value, and the icon source that stays selected. Absent means untouched.
struct FolderIniOutcome {
    std::optional<std::string> iconPath;  // Text2 (Check2 follows its text)
    std::optional<std::string> iconIndex; // Text3
    std::optional<std::string> infoTip;   // Text4; Check1 is set when this is present
    std::optional<IconSource> iconSource; // Option1 / Option2
    bool stoppedEarly = false; // the reading ended at a failure (not a number, unreadable)

    bool changesNothing() const { return !iconPath && !iconIndex && !infoTip && !iconSource; }
};

// Reads "desktop.ini" content back into the main window's fields.
class DesktopIniReader
{
public:
    // Splits the file into lines: CR LF, lone CR and lone LF each end a line; a UTF-16LE file
    // (byte-order mark FF FE) and a UTF-8 file (EF BB BF) are decoded, anything else is read in the
    // ANSI code page. The result is UTF-8.
    static std::vector<std::string> lines(std::string_view bytes, unsigned codePage);

    // Applies the reading rules to the file's bytes, starting from the index box's current text.
    static FolderIniOutcome read(std::string_view bytes, const std::string &currentIndexText,
                                 unsigned codePage);

    // Converts the index box's text as the source option test does: a decimal number with
    // surrounding blanks; nullopt when empty or not a number.
    static std::optional<long long> indexNumber(std::string_view text);
};

// The largest "desktop.ini" read: a file we write holds a tip of up to a million characters (the
// window's and the command line's limit), 4 MB at most in UTF-16 or UTF-8, and two paths; twice
// that leaves room for the lines other writers add, and a planted file of gigabytes is refused.
constexpr std::size_t kMaxDesktopIniBytes = 8u << 20;

// Reads `folder`'s "desktop.ini" from disk; a missing, unreadable or larger file changes nothing.
FolderIniOutcome readfolderini(const std::string &folder, const std::string &currentIndexText);

} // namespace engine
