#pragma once

#include "platform/status.h"

#include <cstddef>
#include <string>
#include <vector>

namespace engine
{

// One entry of a folder list: the folder's path, or why the entry names no folder to work on.
struct FolderEntry {
    std::string folder;
    platform::Status problem; // not ok: the entry is skipped and counts as a failed folder
};

// The folders a run goes through, one after the other, without holding them all.
class FolderSource
{
public:
    virtual ~FolderSource() = default;
    // The next entry; false when none is left.
    virtual bool next(FolderEntry &entry) = 0;
    // Starts over from the first entry (a dressing run's one restart).
    virtual void rewind() = 0;
    // How many entries there are; 0 when that is known only at the end.
    virtual std::size_t total() const { return 0; }
};

// The first `count` folders of a list held in memory (the main window's folder box).
class VectorFolderSource : public FolderSource
{
public:
    VectorFolderSource(const std::vector<std::string> &folders, std::size_t count)
        : m_folders(folders), m_count(count)
    {
    }
    bool next(FolderEntry &entry) override
    {
        if (m_next >= m_count)
            return false;
        entry.folder = m_folders[m_next++];
        entry.problem = {};
        return true;
    }
    void rewind() override { m_next = 0; }
    std::size_t total() const override { return m_count; }

private:
    const std::vector<std::string> &m_folders;
    std::size_t m_count;
    std::size_t m_next = 0;
};

} // namespace engine
