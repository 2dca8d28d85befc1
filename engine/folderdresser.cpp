#include "folderdresser.h"

#include "desktopiniwriter.h"
#include "folderpaths.h"
#include "messages.h"
#include "platform/codepage.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <unordered_set>
#include <vector>

namespace engine
{
namespace
{

// Values alike in every folder name no folder; any file's place gives them.
constexpr const char *kAnyIni = "/desktop.ini";

// One run of makeicon: the bytes every folder gets and what the run has seen so far.
class DressingRun
{
public:
    DressingRun(const CustomisationRequest &request, FolderIo &io, MakeIconResult &result,
                const SambaConfigurationSource &samba)
        : m_request(request), m_io(io), m_result(result), m_plan(request, samba),
          m_codePage(platform::ansiCodePage()),
          m_bytes(DesktopIniWriter::bytes(request, m_codePage,
                                          {m_plan.iconFor(kAnyIni), m_plan.pictureFor(kAnyIni)})),
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
        std::optional<std::string> own;
        if (!m_plan.sameForEveryFolder())
            own = DesktopIniWriter::bytes(m_request, m_codePage,
                                          {m_plan.iconFor(ini), m_plan.pictureFor(ini)});
        platform::FolderOutcome outcome = m_io.dressFolder(folder, own ? *own : *m_bytes,
                                                           kIniFileAttributes, m_folderAttributes);
        noteAttributeResult(outcome.attributes, outcome.attributesPath);
        noteLeftover(outcome);
        if (!outcome.file.ok()) {
            if (!outcome.leftover.ok())
                outcome.file.message += "; " + leftoverText(outcome.leftoverPath, outcome.leftover);
            return outcome.file;
        }
        ++m_result.foldersWritten;
        noteWarning(ini, folder);
        m_io.notifyFolderChanged(folder);
        return platform::Status::success();
    }

private:
    // A restarted pass meets the same folders again; each is named once.
    void noteWarning(const std::string &ini, const std::string &folder)
    {
        auto warning = m_plan.warningFor(ini, folder);
        if (warning && m_warned.insert(folder).second)
            m_result.pathWarnings.push_back(std::move(*warning));
    }

    void noteAttributeResult(platform::Status &status, const std::string &path)
    {
        if (status.ok() || !m_result.attributeFailure.ok())
            return;
        m_result.attributeFailure = std::move(status);
        m_result.attributeFailurePath = path;
    }

    void noteLeftover(const platform::FolderOutcome &outcome)
    {
        if (outcome.leftover.ok() || !m_result.leftoverFailure.ok())
            return;
        m_result.leftoverFailure = outcome.leftover;
        m_result.leftoverPath = outcome.leftoverPath;
    }

    const CustomisationRequest &m_request; // what the run applies
    FolderIo &m_io;                        // where the calls go
    MakeIconResult &m_result;              // the run's account
    IniPathPlan m_plan;                    // the icon and picture paths, folder by folder
    unsigned m_codePage;                   // the ANSI code page the files are written in
    std::optional<std::string> m_bytes; // the file for paths alike in all; absent when unwritable
    std::unordered_set<std::string> m_warned; // folders already named in a warning
    std::uint32_t m_folderAttributes;         // 1 (xp) or 5 (9x)
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

// One pass over the folders of `source`; the folder that failed, if one did. With `onFailure` a
// failing folder is reported to it and the pass goes on.
std::optional<std::string> dressingPass(DressingRun &run, FolderSource &source, PassCount &pass,
                                        const ProgressFn &progress, platform::Status &failure,
                                        const FailureFn &onFailure)
{
    pass.done = 0;
    FolderEntry entry;
    while (source.next(entry)) {
        failure = entry.problem.ok() ? run.dress(entry.folder) : entry.problem;
        if (!failure.ok()) {
            if (!onFailure)
                return std::move(entry.folder);
            onFailure(entry.folder, failure);
        }
        if (!goOn(pass, progress))
            break;
    }
    return std::nullopt;
}

} // namespace

std::string leftoverText(const std::string &path, const platform::Status &status)
{
    return Messages::leftover(path, status.message);
}

MakeIconResult makeicon(const CustomisationRequest &request, FolderIo &io,
                        const ProgressFn &progress, const SambaConfigurationSource &samba)
{
    const auto &folders = request.targetFolders;
    if (folders.empty())
        return {};
    VectorFolderSource source(folders, request.onlyFirstFolder ? 1 : folders.size());
    return makeicon(request, source, io, progress, samba);
}

MakeIconResult makeicon(const CustomisationRequest &request, FolderSource &source, FolderIo &io,
                        const ProgressFn &progress, const SambaConfigurationSource &samba,
                        const FailureFn &onFailure)
{
    MakeIconResult result;
    result.pass.total = source.total();
    DressingRun run(request, io, result, samba);
    platform::Status failure;
    std::optional<std::string> failedAt =
        dressingPass(run, source, result.pass, progress, failure, onFailure);
    if (!failedAt)
        return result;
    // The first failure starts the run over; a failed replace leaves nothing to clean up.
    result.restarted = true;
    source.rewind();
    failedAt = dressingPass(run, source, result.pass, progress, failure, onFailure);
    if (failedAt) {
        result.failed = true;
        result.failedFolder = std::move(*failedAt);
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
            io.undressFolder(folder, kFolderAttributesRemoved);
            io.notifyFolderChanged(folder);
        }
        if (!goOn(pass, progress))
            break;
    }
    return pass;
}

} // namespace engine
