#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace engine
{

// The texts this program adds around its command line (help, usage, notes and refusals), in
// English unless the user's locale is Russian. The system's own texts ("была ошибка",
// "Программа уже запущена.") are not here: they are the same in every locale.
class Messages
{
public:
    // True when LC_ALL, else LC_MESSAGES, else LANG (the first that is set) starts with "ru".
    static bool russian();

    static std::string help();
    static std::string noSwitch();      // a line without any switch
    static std::string noDisplay();     // an empty line and no display to show on
    static std::string noWindows();     // an empty line in a build without windows
    static std::string windowsHidden(); // Windows: RAVO2_NO_WINDOWS, or a desktop nobody sees
    static std::string undecodable(std::string_view sw); // a value not in the locale's encoding
    static std::string emptyValue(std::string_view sw);  // "-fp" with nothing after it
    static std::string lineBreak(std::string_view sw);   // a value desktop.ini cannot hold
    static std::string failedFolder(std::string_view folder); // the second line of a failure
    static std::string warningPrefix();                       // what starts each warning line
    static std::string noAttributes(std::string_view path);   // a file system without attributes
    // A temporary file of ours that a run could not remove, and the system's reason.
    static std::string leftover(std::string_view path, std::string_view reason);
    // A folder whose Samba share's clients cannot open its icon or picture.
    static std::string outsideShare(std::string_view folder, std::string_view share);
    static std::string windowsMissing(std::string_view why); // the windows' library not loaded
    // A display named but not answering; `switches`: the line runs without a window.
    static std::string deadDisplay(std::string_view named, bool switches);
    static std::string restarting(); // a folder failed, the run starts over
    static std::string progress(std::size_t done, std::size_t total); // the terminal's line
    // RAVO2_ANSI_CODEPAGE holding `value`, which names no ANSI code page.
    static std::string notAnsiCodePage(std::string_view value);
    // A Samba share whose settings keep its clients from seeing the dressing.
    static std::string shareRules(std::string_view share, const std::vector<std::string> &rules);

    // Warnings about the line itself, each a whole line after warningPrefix().
    static std::string unknownSwitch(std::string_view sw);
    static std::string noFolder();
    static std::string unknownWord(std::string_view sw, std::string_view word,
                                   std::string_view words);
    // An icon or picture that a reader of `folder` would not find at `target`; `fromHere` when
    // the path names a file only against the current folder.
    static std::string missingFile(std::string_view sw, std::string_view folder,
                                   std::string_view target, bool fromHere);

    static std::string folderFailed(std::string_view folder, std::string_view reason);
    static std::string summary(std::size_t done, std::size_t failed);
    static std::string listUnopened(std::string_view listAndReason);
    static std::string listEntryTooLong();  // a list entry past the longest one read
    static std::string listEntryHoldsNul(); // a NUL inside a line of a line-separated list

    // The dry run's lines: the folder, the file that would be written and its attributes, the
    // folder's attributes, a removal, a failure.
    static std::string dryFolder(std::string_view folder);
    static std::string dryFile(std::string_view attributes);
    static std::string dryFolderAttributes(std::string_view attributes);
    static std::string dryRemoval(std::string_view attributes);
    static std::string dryKept(); // a removal that keeps the file for keys of others
    static std::string dryFailure(std::string_view reason);
    // A library holding no icon at the index that a run was to copy into the folders.
    static std::string noIconToCopy(std::string_view path, std::string_view index);
    // The dry run's lines for a copy of the icon or picture.
    static std::string dryCopy(std::string_view path, std::string_view attributes);
    static std::string dryCopyRemoval(std::string_view path);
};

} // namespace engine
