#include "folderdresser.h"

#include "desktopinimerge.h"
#include "desktopinireader.h"
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

bool isUtf16(std::string_view bytes)
{
    return bytes.starts_with("\xFF\xFE");
}

// How a file that holds more than the program's lines is read and written back.
struct IniCoding {
    platform::IniCodePage encoding = platform::iniCodePage(); // how text outside ASCII goes out
    unsigned readCodePage = platform::ansiCodePage();         // how an ANSI file is read

    std::vector<std::string> lines(std::string_view bytes) const
    {
        return DesktopIniReader::lines(bytes, readCodePage);
    }
    // A file that was UTF-16 stays so: it may hold what no code page does.
    std::string encoded(std::string_view text, std::string_view old) const
    {
        return DesktopIniWriter::encoded(text, isUtf16(old) ? std::nullopt : encoding.codePage);
    }
};

// One run of makeicon: the bytes every folder gets and what the run has seen so far.
class DressingRun
{
public:
    DressingRun(const CustomisationRequest &request, FolderIo &io, MakeIconResult &result,
                const SambaConfigurationSource &samba)
        : m_request(request), m_io(io), m_result(result), m_plan(request, samba),
          m_folderAttributes(request.windowsMode == WindowsMode::Xp ? kFolderAttributesXp
                                                                    : kFolderAttributes9x)
    {
        if (DesktopIniWriter::checkValues(request).ok()) {
            m_icon = m_plan.iconFor(kAnyIni);
            m_text = DesktopIniWriter::text(request, {m_icon, m_plan.pictureFor(kAnyIni)});
            m_bytes = DesktopIniWriter::encoded(*m_text, m_coding.encoding.codePage);
        }
    }

    platform::Status dress(const std::string &folder)
    {
        if (!m_coding.encoding.refused.empty())
            return platform::Status::failure(EINVAL,
                                             Messages::notAnsiCodePage(m_coding.encoding.refused));
        if (!m_text)
            return DesktopIniWriter::checkValues(m_request);
        // An empty entry would dress the current directory, which no entry names.
        if (folder.empty())
            return platform::Status::failure(ENOENT, std::strerror(ENOENT));
        const std::string ini = desktopIniPath(folder);
        std::string icon = m_icon, text = *m_text, bytes = *m_bytes;
        if (!m_plan.sameForEveryFolder()) {
            icon = m_plan.iconFor(ini);
            text = DesktopIniWriter::text(m_request, {icon, m_plan.pictureFor(ini)});
            bytes = DesktopIniWriter::encoded(text, m_coding.encoding.codePage);
        }
        const auto compose = [&](const std::optional<std::string> &old) {
            return composed(old, text, bytes, icon);
        };
        platform::FolderOutcome outcome =
            m_io.dressFolderKeeping(folder, compose, kIniFileAttributes, m_folderAttributes);
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
    // The folder's new file: the program's lines alone, or placed among what the old file holds.
    std::string composed(const std::optional<std::string> &old, const std::string &text,
                         const std::string &bytes, const std::string &icon) const
    {
        if (!old)
            return bytes;
        std::optional<std::string> iconResource;
        if (m_request.makeIcon)
            iconResource = icon + "," + std::string(trimmedIndex(m_request.iconIndex));
        const std::string merged =
            DesktopIniMerge::dressed(m_coding.lines(*old), text, iconResource);
        return merged == text ? bytes : m_coding.encoded(merged, *old);
    }

    static std::string_view trimmedIndex(std::string_view index)
    {
        const std::size_t first = index.find_first_not_of(' ');
        if (first == std::string_view::npos)
            return {};
        return index.substr(first, index.find_last_not_of(' ') - first + 1);
    }

    // A restarted pass meets the same folders again; each is named once.
    void noteWarning(const std::string &ini, const std::string &folder)
    {
        auto warning = m_plan.warningFor(ini, folder);
        if (warning && m_warned.insert(folder).second)
            m_result.pathWarnings.push_back(std::move(*warning));
        for (std::string &rules : m_plan.shareWarningsFor(ini))
            m_result.pathWarnings.push_back(std::move(rules));
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
    IniCoding m_coding;                    // how the files are read and written
    std::string m_icon;                    // the icon path for paths alike in all
    std::optional<std::string>
        m_text; // the file's text for paths alike in all; absent when unwritable
    std::optional<std::string> m_bytes;       // that text's bytes
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

std::string leftoverText(const std::string &path, const platform::Status &status)
{
    return Messages::leftover(path, status.message);
}

MakeIconResult makeicon(const CustomisationRequest &request, FolderIo &io,
                        const ProgressFn &progress, const SambaConfigurationSource &samba)
{
    MakeIconResult result;
    const auto &folders = request.targetFolders;
    if (folders.empty())
        return result;
    result.pass.total = request.onlyFirstFolder ? 1 : folders.size();
    DressingRun run(request, io, result, samba);
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
    const IniCoding coding;
    // Only the program's keys go; the file goes when nothing else is left in it.
    const auto remains = [&](const std::optional<std::string> &old) -> std::optional<std::string> {
        if (!old)
            return std::nullopt;
        const std::vector<std::string> lines = coding.lines(*old);
        const std::optional<std::string> kept = DesktopIniMerge::undressed(lines);
        if (!kept || !DesktopIniMerge::holdsOwnKeys(lines))
            return kept ? *old : kept;
        return coding.encoded(*kept, *old);
    };
    PassCount pass{0, folders->size(), false};
    for (std::size_t i = 0; i < folders->size(); ++i) {
        const std::string &folder = (*folders)[i];
        // An empty path would remove the current directory's file, which no entry names.
        if (!folder.empty()) {
            io.undressFolderKeeping(folder, remains, kFolderAttributesRemoved);
            io.notifyFolderChanged(folder);
        }
        if (!goOn(pass, progress))
            break;
    }
    return pass;
}

} // namespace engine
