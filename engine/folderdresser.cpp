#include "folderdresser.h"

#include "desktopiniwriter.h"
#include "folderpaths.h"
#include "platform/codepage.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

namespace engine
{
namespace
{

// One run of makeicon: the bytes every folder gets and what the run has seen so far.
class DressingRun
{
public:
    DressingRun(const CustomisationRequest &request, FolderIo &io, MakeIconResult &result)
        : m_request(request), m_io(io), m_result(result),
          m_bytes(DesktopIniWriter::bytes(request, platform::ansiCodePage())),
          m_folderAttributes(request.windowsMode == WindowsMode::Xp ? kFolderAttributesXp
                                                                    : kFolderAttributes9x)
    {
    }

    platform::Status dress(const std::string &folder)
    {
        if (!m_bytes)
            return DesktopIniWriter::checkValues(m_request);
        // An empty entry would dress the current directory, which no entry names.
        if (folder.empty())
            return platform::Status::failure(ENOENT, std::strerror(ENOENT));
        const std::string ini = desktopIniPath(folder);
        platform::Status written = m_io.replaceFile(ini, *m_bytes);
        if (!written.ok())
            return written;
        ++m_result.foldersWritten;
        noteAttributeResult(ini, m_io.setAttributes(ini, kIniFileAttributes));
        noteAttributeResult(folder, m_io.setAttributes(folder, m_folderAttributes));
        m_io.notifyFolderChanged(folder);
        return platform::Status::success();
    }

private:
    void noteAttributeResult(const std::string &path, platform::Status status)
    {
        if (status.ok() || !m_result.attributeFailure.ok())
            return;
        m_result.attributeFailure = std::move(status);
        m_result.attributeFailurePath = path;
    }

    const CustomisationRequest &m_request; // what the run applies
    FolderIo &m_io;                        // where the calls go
    MakeIconResult &m_result;              // the run's account
    std::optional<std::string> m_bytes;    // the file every folder gets; absent when unwritable
    std::uint32_t m_folderAttributes;      // 1 (xp) or 5 (9x)
};

// Counts one folder done; false when the callback stops the run with folders left.
bool goOn(PassCount &pass, const ProgressFn &progress)
{
    ++pass.done;
    if (!progress || progress(pass.done, pass.total) || pass.done == pass.total)
        return true;
    pass.cancelled = true;
    return false;
}

// One pass over the first `pass.total` folders; the index of the folder that failed, if one did.
std::optional<std::size_t> dressingPass(DressingRun &run, const std::vector<std::string> &folders,
                                        PassCount &pass, const ProgressFn &progress,
                                        platform::Status &failure)
{
    pass.done = 0;
    for (std::size_t i = 0; i < pass.total; ++i) {
        failure = run.dress(folders[i]);
        if (!failure.ok())
            return i;
        if (!goOn(pass, progress))
            break;
    }
    return std::nullopt;
}

} // namespace

MakeIconResult makeicon(const CustomisationRequest &request, FolderIo &io,
                        const ProgressFn &progress)
{
    MakeIconResult result;
    const auto &folders = request.targetFolders;
    if (folders.empty())
        return result;
    result.pass.total = request.onlyFirstFolder ? 1 : folders.size();
    DressingRun run(request, io, result);
    platform::Status failure;
    std::optional<std::size_t> failedAt =
        dressingPass(run, folders, result.pass, progress, failure);
    if (!failedAt)
        return result;
    // The first failure starts the run over; a failed replace leaves nothing to clean up.
    result.restarted = true;
    failedAt = dressingPass(run, folders, result.pass, progress, failure);
    if (failedAt) {
        result.failed = true;
        result.failedFolder = folders[*failedAt];
        result.failure = std::move(failure);
    }
    return result;
}

PassCount delicon(const CustomisationRequest &request, std::string_view scope, FolderIo &io,
                  const ProgressFn &progress)
{
    const std::vector<std::string> selected{request.selectedFolder};
    const std::vector<std::string> *folders = nullptr;
    if (scope == "1")
        folders = &request.targetFolders;
    else if (scope == "0")
        folders = &selected;
    else
        return {};
    PassCount pass{0, folders->size(), false};
    for (std::size_t i = 0; i < folders->size(); ++i) {
        const std::string &folder = (*folders)[i];
        // An empty path would remove the current directory's file, which no entry names.
        if (!folder.empty()) {
            io.deleteFile(desktopIniPath(folder));
            io.setAttributes(folder, kFolderAttributesRemoved);
            io.notifyFolderChanged(folder);
        }
        if (!goOn(pass, progress))
            break;
    }
    return pass;
}

} // namespace engine
