#pragma once

#include "status.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace platform
{

// What dressing or undressing one folder did. Only `file` fails the folder; the rest are notes.
struct FolderOutcome {
    Status file;       // writing or deleting the folder's file; its failure fails the folder
    Status attributes; // the first attribute call that failed
    std::string attributesPath; // the file or folder of that call
    Status leftover;            // a temporary file of ours that could not be removed
    std::string leftoverPath;   // that file
};

// Puts `bytes` into the file `name` inside `folder` with exactly `fileAttributes`, then gives the
// folder exactly `folderAttributes`. The folder is opened once without following a link and every
// later call goes through that handle, so nothing outside the folder is ever touched. The new file
// gets its attributes and the old file's permissions (and, as root, owner) before it takes the
// old one's place in one rename: after any failure or kill the name holds the old file or the new
// one, whole. Refuses a link, a folder or a read-only file in the file's place. A new file is
// written unnamed where the file system allows, so it never leaves a temporary behind; replacing
// a file first removes the folder's stale temporaries, the only place a killed run leaves one.
FolderOutcome dressFolder(const std::string &folder, const std::string &name,
                          std::string_view bytes, std::uint32_t fileAttributes,
                          std::uint32_t folderAttributes);

// Deletes the file `name` inside `folder` as deleteFile does (a read-only file stays, a link goes
// itself), removes the folder's stale temporaries, then gives the folder exactly
// `folderAttributes`.
FolderOutcome undressFolder(const std::string &folder, const std::string &name,
                            std::uint32_t folderAttributes);

// What dressFolder (or, with `removing`, undressFolder) would meet in `folder`, found without
// changing anything: the folder's own refusal, a file in the way, a folder it may not write in.
Status probeFolder(const std::string &folder, const std::string &name, bool removing);

} // namespace platform
