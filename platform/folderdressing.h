#pragma once

#include "status.h"

#include <cstdint>
#include <functional>
#include <optional>
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

// The attribute bits dressing and undressing set; every other bit a file or folder has is kept.
inline constexpr std::uint32_t kFolderManagedAttributes = 0x1 | 0x4; // read-only, system
inline constexpr std::uint32_t kFileManagedAttributes = 0x1 | 0x2;   // read-only, hidden

// What the folder's file is to hold, given what it holds now (nullopt: there is none); nullopt
// when there is to be no file at all.
using FileComposer =
    std::function<std::optional<std::string>(const std::optional<std::string> &current)>;

// The largest file whose content is read to be kept.
inline constexpr std::size_t kKeptFileLimit = 1 << 20;

// Puts `bytes` into the file `name` inside `folder` with the managed bits of `fileAttributes`, then
// sets the folder's managed bits as `folderAttributes` has them; every other bit stays (the new
// file takes the old one's). The folder is opened once without following a link and every later
// call goes through that handle, so nothing outside the folder is ever touched; a link on the
// folder's path is followed only when root or the running user owns it. The new file gets its
// attributes and the old file's permissions and owner (a first file: the folder's owner, mode
// 0644) before it takes the old one's place in one rename: after any failure or kill the name
// holds the old file or the new one, whole. Refuses a link, a folder or a read-only file in the
// file's place. A new file is written unnamed where the file system allows, so it never leaves a
// temporary behind; the folder's stale temporaries are removed when a replacement finds the lock
// holder's name taken, or the folder marked by a run that wrote under a random name.
FolderOutcome dressFolder(const std::string &folder, const std::string &name,
                          std::string_view bytes, std::uint32_t fileAttributes,
                          std::uint32_t folderAttributes);

// The same with the bytes that `compose` makes of the file the folder holds now, read through the
// same handle (a file that cannot be read fails the folder, so nothing in it is lost).
FolderOutcome dressFolder(const std::string &folder, const std::string &name,
                          const FileComposer &compose, std::uint32_t fileAttributes,
                          std::uint32_t folderAttributes);

// Deletes the file `name` inside `folder` as deleteFile does (a read-only file stays, a link goes
// itself), removes the folder's stale temporaries, then sets the folder's managed bits as
// `folderAttributes` has them.
FolderOutcome undressFolder(const std::string &folder, const std::string &name,
                            std::uint32_t folderAttributes);

// The same, except that what `remains` keeps of the file is written back in its place; the file is
// deleted, and the folder's managed bits set, only when nothing remains (else the folder keeps
// the bits that make the shell read the file).
FolderOutcome undressFolder(const std::string &folder, const std::string &name,
                            const FileComposer &remains, std::uint32_t folderAttributes);

} // namespace platform
