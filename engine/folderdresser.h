#pragma once

#include "customisationrequest.h"
#include "folderio.h"
#include "inipathplan.h"
#include "platform/clientpaths.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace engine
{

// Attribute values that make the shell honour a folder's "desktop.ini".
inline constexpr std::uint32_t kIniFileAttributes = 2;         // hidden
inline constexpr std::uint32_t kFolderAttributesXp = 1;        // read-only
inline constexpr std::uint32_t kFolderAttributes9x = 5;        // read-only and system
inline constexpr std::uint32_t kFolderAttributesRemoved = 128; // normal

// Called after each folder: how many folders of this pass are done, and of how many; returning
// false stops the run before the next folder.
using ProgressFn = std::function<bool(std::size_t done, std::size_t total)>;

// How far a pass over the folders got.
struct PassCount {
    std::size_t done = 0;   // folders handled, in list order
    std::size_t total = 0;  // folders the pass was to handle
    bool cancelled = false; // the progress callback stopped it with folders left
};

// How a run of makeicon ended.
struct MakeIconResult {
    bool failed = false;               // a second failure ended the run and goes to the caller
    std::string failedFolder;          // the folder of that failure
    platform::Status failure;          // its system description
    bool restarted = false;            // a first failure made the run start over
    std::size_t foldersWritten = 0;    // "desktop.ini" files written, counting a restart's rewrites
    platform::Status attributeFailure; // the first attribute call that failed (never stops a run)
    std::string attributeFailurePath;  // the file or folder of that call
    platform::Status leftoverFailure;  // the first temporary file that could not be removed
    std::string leftoverPath;          // that file
    std::vector<std::string> pathWarnings; // folders whose share misses a file; shares hiding it
    PassCount pass;                        // how far the last pass got
};

// The words for a temporary file that a dressing could not remove, its path and the reason.
std::string leftoverText(const std::string &path, const platform::Status &status);

// Writes "desktop.ini" into each target folder (or only the first with the one-folder choice) and
// sets the file's and the folder's attributes; a failure makes the run start over once.
// `samba` is asked at most once per run, and only when a path must be checked against the shares.
MakeIconResult makeicon(const CustomisationRequest &request, FolderIo &io,
                        const ProgressFn &progress = {},
                        const SambaConfigurationSource &samba = platform::sambaConfiguration);

// Removes the customisation: scope "0" the selected folder, "1" every listed folder, else nothing.
PassCount delicon(const CustomisationRequest &request, std::string_view scope, FolderIo &io,
                  const ProgressFn &progress = {});

} // namespace engine
