#pragma once

#include "commandline.h"
#include "foldersource.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace engine
{

// The longest entry a list may hold; a longer one is skipped as a failed folder, so memory stays
// bounded whatever the list holds.
inline constexpr std::size_t kLongestListEntry = 1 << 20;

// Reads the folders of one list file as they come: one a line (LF or CR LF, blank lines skipped),
// or separated by NUL when the first 64 KiB hold a NUL (find -print0). Every other byte is part of
// a name. Only a buffer and the current entry are held, never the list.
class FolderListReader
{
public:
    // Reads `file` (not closed here). With `replayable`, a list that cannot be read again from its
    // start (a pipe) is copied to an unnamed temporary file as it is read, for rewind().
    FolderListReader(std::FILE *file, bool replayable);
    ~FolderListReader();
    FolderListReader(const FolderListReader &) = delete;
    FolderListReader &operator=(const FolderListReader &) = delete;

    bool next(FolderEntry &entry);
    // Starts over; false when the list cannot be read again.
    bool rewind();

private:
    bool fill();
    std::size_t readInput(char *to, std::size_t size);
    bool takeEntry(FolderEntry &entry, std::string_view bytes);

    std::FILE *m_file;
    bool m_seekable = false;
    std::FILE *m_spool = nullptr; // the bytes read so far, when the list is a pipe to be replayed
    long m_spoolSize = 0;
    bool m_spoolBroken = false; // the copy fell short; the list cannot be replayed
    long m_replayAt = -1;       // where the replay reads in the spool; -1 while not replaying
    std::vector<char> m_buffer;
    std::size_t m_begin = 0, m_end = 0;
    bool m_eof = false;
    bool m_failed = false;   // reading the list failed; reported once as an entry
    bool m_decided = false;  // the separator has been chosen
    char m_separator = '\n'; // '\n' or '\0'
    std::string m_pending;   // the start of an entry that runs past the buffer
    bool m_tooLong = false;  // the entry in hand is past kLongestListEntry
};

// The folders of a command line in its order: its "-fp" folders with its "-fl" lists between them.
class FolderSequence : public FolderSource
{
public:
    // A list that cannot be opened leaves `openFailure` set to its path and reason.
    FolderSequence(const std::vector<std::string> &folders,
                   const std::vector<FolderListSwitch> &lists, bool replayable);
    ~FolderSequence() override;

    std::string openFailure; // "<list>: <reason>" for the first list that did not open

    bool next(FolderEntry &entry) override;
    void rewind() override;

private:
    struct List {
        std::size_t afterFolders;
        std::FILE *file;
        std::unique_ptr<FolderListReader> reader;
    };
    const std::vector<std::string> &m_folders;
    std::vector<List> m_lists;
    std::size_t m_nextFolder = 0, m_nextList = 0;
};

} // namespace engine
