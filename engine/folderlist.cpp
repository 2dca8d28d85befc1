#include "folderlist.h"

#include "messages.h"

#include <cerrno>
#include <cstring>

namespace engine
{
namespace
{

constexpr std::size_t kChunk = 64 * 1024;

platform::Status failure(int code)
{
    return platform::Status::failure(code, std::strerror(code));
}

} // namespace

FolderListReader::FolderListReader(std::FILE *file, bool replayable)
    : m_file(file), m_buffer(kChunk)
{
    m_seekable = std::fseek(file, 0, SEEK_CUR) == 0;
    std::clearerr(file);
    if (replayable && !m_seekable)
        m_spool = std::tmpfile();
}

FolderListReader::~FolderListReader()
{
    if (m_spool)
        std::fclose(m_spool);
}

std::size_t FolderListReader::readInput(char *to, std::size_t size)
{
    if (m_replayAt >= 0 && m_replayAt < m_spoolSize) {
        std::fseek(m_spool, m_replayAt, SEEK_SET);
        const std::size_t got =
            std::fread(to, 1, std::min<std::size_t>(size, m_spoolSize - m_replayAt), m_spool);
        m_replayAt += static_cast<long>(got);
        return got;
    }
    const std::size_t got = std::fread(to, 1, size, m_file);
    if (got < size && std::ferror(m_file))
        m_failed = true;
    if (m_spool && got > 0) {
        std::fseek(m_spool, 0, SEEK_END);
        if (std::fwrite(to, 1, got, m_spool) == got)
            m_spoolSize += static_cast<long>(got);
        else
            m_spoolBroken = true; // the copy is short: a rewind could not give the same entries
    }
    return got;
}

// Reads more into the buffer; the first fill reads until it holds a NUL, 64 KiB or the end, and
// chooses the separator from what it holds.
bool FolderListReader::fill()
{
    if (m_eof)
        return false;
    m_begin = 0;
    m_end = 0;
    do {
        const std::size_t got = readInput(m_buffer.data() + m_end, m_buffer.size() - m_end);
        m_end += got;
        if (got == 0)
            m_eof = true;
    } while (!m_decided && !m_eof && m_end < m_buffer.size() &&
             std::memchr(m_buffer.data(), '\0', m_end) == nullptr);
    if (!m_decided) {
        m_decided = true;
        m_separator = std::memchr(m_buffer.data(), '\0', m_end) ? '\0' : '\n';
    }
    return m_end > 0;
}

bool FolderListReader::takeEntry(FolderEntry &entry, std::string_view bytes)
{
    if (m_tooLong || m_pending.size() + bytes.size() > kLongestListEntry) {
        entry.folder.assign(m_pending, 0, 64);
        entry.problem = platform::Status::failure(ENAMETOOLONG, Messages::listEntryTooLong());
    } else {
        entry.folder = m_pending;
        entry.folder.append(bytes);
        entry.problem = {};
    }
    m_pending.clear();
    m_tooLong = false;
    if (m_separator == '\n' && !entry.folder.empty() && entry.folder.back() == '\r')
        entry.folder.pop_back();
    if (entry.problem.ok() && entry.folder.find('\0') != std::string::npos)
        entry.problem = platform::Status::failure(EINVAL, Messages::listEntryHoldsNul());
    return !entry.folder.empty() || !entry.problem.ok();
}

bool FolderListReader::next(FolderEntry &entry)
{
    for (;;) {
        if (m_begin == m_end && !fill()) {
            if (m_failed) {
                m_failed = false;
                entry.folder.assign(m_pending, 0, 64);
                entry.problem = failure(EIO);
                m_pending.clear();
                return true;
            }
            if (m_pending.empty() && !m_tooLong)
                return false;
            if (takeEntry(entry, {}))
                return true;
            continue;
        }
        const char *start = m_buffer.data() + m_begin;
        const auto *stop =
            static_cast<const char *>(std::memchr(start, m_separator, m_end - m_begin));
        if (stop == nullptr) {
            if (m_pending.size() + (m_end - m_begin) > kLongestListEntry)
                m_tooLong = true;
            if (!m_tooLong)
                m_pending.append(start, m_end - m_begin);
            m_begin = m_end;
            continue;
        }
        m_begin += static_cast<std::size_t>(stop - start) + 1;
        if (takeEntry(entry, std::string_view(start, static_cast<std::size_t>(stop - start))))
            return true;
    }
}

bool FolderListReader::rewind()
{
    m_begin = m_end = 0;
    m_eof = m_failed = m_tooLong = false;
    m_pending.clear();
    if (m_seekable && std::fseek(m_file, 0, SEEK_SET) == 0)
        return true;
    if (m_spool && !m_spoolBroken) {
        m_replayAt = 0;
        return true;
    }
    // What was read cannot be read again: the list ends with one failed entry.
    m_eof = m_failed = true;
    return false;
}

FolderSequence::FolderSequence(const std::vector<std::string> &folders,
                               const std::vector<FolderListSwitch> &lists, bool replayable)
    : m_folders(folders)
{
    for (const FolderListSwitch &list : lists) {
        // A pipe given as standard input is read as it is, on every system.
        std::FILE *file = list.path == "/dev/stdin" ? stdin : std::fopen(list.path.c_str(), "rb");
        if (file == nullptr) {
            if (openFailure.empty())
                openFailure = list.path + ": " + std::strerror(errno);
            continue;
        }
        m_lists.push_back(
            {list.afterFolders, file, std::make_unique<FolderListReader>(file, replayable)});
    }
}

FolderSequence::~FolderSequence()
{
    for (List &list : m_lists) {
        list.reader.reset();
        if (list.file != stdin)
            std::fclose(list.file);
    }
}

bool FolderSequence::next(FolderEntry &entry)
{
    for (;;) {
        const bool listDue =
            m_nextList < m_lists.size() && m_lists[m_nextList].afterFolders <= m_nextFolder;
        if (listDue) {
            if (m_lists[m_nextList].reader->next(entry))
                return true;
            ++m_nextList;
            continue;
        }
        if (m_nextFolder >= m_folders.size())
            return false;
        entry.folder = m_folders[m_nextFolder++];
        entry.problem = {};
        return true;
    }
}

void FolderSequence::rewind()
{
    m_nextFolder = 0;
    m_nextList = 0;
    for (List &list : m_lists)
        list.reader->rewind();
}

} // namespace engine
