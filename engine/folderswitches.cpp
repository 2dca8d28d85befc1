#include "folderswitches.h"

#include "clientpaths.h"
#include "commandlinerun.h"
#include "dressinglisting.h"
#include "dryrunfolderio.h"
#include "folderlist.h"
#include "folderpaths.h"
#include "messages.h"
#include "platform/attributes.h"
#include "platform/filesystem.h"
#include "startup.h"

#include <cerrno>

namespace engine
{
namespace
{

// Folders handed to the window's removal at a time: its road, with bounded memory.
constexpr std::size_t kRemovalBatch = 4096;

// The folders of a run, each checked for missing icon and picture files the first time it comes.
class CheckedSource : public FolderSource
{
public:
    CheckedSource(FolderSource &inner, MissingFileCheck *check) : m_inner(inner), m_check(check) {}
    bool next(FolderEntry &entry) override
    {
        if (!m_inner.next(entry))
            return false;
        // A restarted run meets its first folders again; each is looked at once.
        if (m_check && entry.problem.ok() && ++m_position > m_checked) {
            m_checked = m_position;
            m_check->check(entry.folder);
        }
        return true;
    }
    void rewind() override
    {
        m_inner.rewind();
        m_position = 0;
    }
    std::size_t total() const override { return m_inner.total(); }

private:
    FolderSource &m_inner;
    MissingFileCheck *m_check;
    std::size_t m_position = 0, m_checked = 0;
};

// Passes each call on and reports every removal that failed; a folder without a desktop.ini is
// no failure (its attributes are still reset).
class WatchedFolderIo : public FolderIo
{
public:
    WatchedFolderIo(FolderIo &inner, const FailureFn &onFailure)
        : m_inner(inner), m_onFailure(onFailure)
    {
    }
    platform::FolderOutcome dressFolder(const std::string &folder, std::string_view bytes,
                                        std::uint32_t fileAttributes,
                                        std::uint32_t folderAttributes) override
    {
        return m_inner.dressFolder(folder, bytes, fileAttributes, folderAttributes);
    }
    platform::FolderOutcome undressFolder(const std::string &folder,
                                          std::uint32_t folderAttributes) override
    {
        return watched(folder, m_inner.undressFolder(folder, folderAttributes));
    }
    platform::FolderOutcome dressFolderKeeping(const std::string &folder,
                                               const platform::FileComposer &compose,
                                               std::uint32_t fileAttributes,
                                               std::uint32_t folderAttributes) override
    {
        return m_inner.dressFolderKeeping(folder, compose, fileAttributes, folderAttributes);
    }
    platform::FolderOutcome undressFolderKeeping(const std::string &folder,
                                                 const platform::FileComposer &remains,
                                                 std::uint32_t folderAttributes) override
    {
        return watched(folder, m_inner.undressFolderKeeping(folder, remains, folderAttributes));
    }
    void notifyFolderChanged(const std::string &folder) override
    {
        m_inner.notifyFolderChanged(folder);
    }

private:
    platform::FolderOutcome watched(const std::string &folder, platform::FolderOutcome outcome)
    {
        if (!outcome.file.ok() && !(outcome.file.code == ENOENT && platform::isDirectory(folder)))
            m_onFailure(folder, outcome.file);
        return outcome;
    }

    FolderIo &m_inner;
    const FailureFn &m_onFailure;
};

// Takes the dressing away from every folder of `source` by the window's removal, a batch at a
// time; the number of folders handed to it.
std::size_t removeAll(FolderSource &source, FolderIo &io, const ProgressFn &progress,
                      const FailureFn &onFailure)
{
    WatchedFolderIo watched(io, onFailure);
    CustomisationRequest batch;
    std::size_t handled = 0;
    const ProgressFn shifted = [&](std::size_t done, std::size_t) {
        return !progress || progress(handled + done, 0);
    };
    const auto flush = [&] {
        const PassCount pass = delicon(batch, "1", watched, shifted);
        handled += pass.done;
        batch.targetFolders.clear();
        return !pass.cancelled;
    };
    FolderEntry entry;
    while (source.next(entry)) {
        if (!entry.problem.ok()) {
            ++handled;
            onFailure(entry.folder, entry.problem);
            continue;
        }
        batch.targetFolders.push_back(std::move(entry.folder));
        if (batch.targetFolders.size() == kRemovalBatch && !flush())
            return handled;
    }
    flush();
    return handled;
}

void warnWord(const UnknownWord &unknown, std::ostream &err)
{
    const char *words =
        unknown.switchName == "-tc" ? "red, blue, green, black, white, yellow, orange" : "xp, 9x";
    err << Messages::warningPrefix()
        << Messages::unknownWord(unknown.switchName, unknown.word, words) << '\n';
}

void printWarnings(const MakeIconResult &result, std::ostream &err)
{
    if (auto warning = attributeWarning(result))
        err << *warning << '\n';
    for (const std::string &warning : result.pathWarnings)
        err << Messages::warningPrefix() << warning << '\n';
}

} // namespace

void warnAboutLine(const CommandLineRequest &parsed, std::ostream &err)
{
    for (const std::string &sw : parsed.unknownSwitches)
        err << Messages::warningPrefix() << Messages::unknownSwitch(sw) << '\n';
    for (const UnknownWord &unknown : parsed.unknownWords)
        warnWord(unknown, err);
    if (!parsed.namesFolders())
        err << Messages::warningPrefix() << Messages::noFolder() << '\n';
}

MissingFileCheck::MissingFileCheck(const CustomisationRequest &request, std::ostream &err)
    : m_request(request), m_err(err)
{
}

void MissingFileCheck::check(const std::string &folder)
{
    bool looked = true;
    if (m_request.makeIcon)
        looked &= checkOne("-ip", m_request.iconPath, folder);
    if (m_request.makeBackground)
        looked &= checkOne("-pp", m_request.picturePath, folder);
    m_checkedFixed = m_checkedFixed || looked;
}

bool MissingFileCheck::checkOne(std::string_view sw, const std::string &chosen,
                                const std::string &folder)
{
    static const ClientPaths paths = ClientPaths::forThisMachine();
    const std::size_t first = chosen.find_first_not_of(' ');
    const std::string path = first == std::string::npos
                                 ? std::string()
                                 : chosen.substr(first, chosen.find_last_not_of(' ') + 1 - first);
    const bool relative = !path.empty() && path[0] != '/';
    // An absolute path names the same file for every folder: it is looked at once.
    if (!relative && m_checkedFixed)
        return true;
    const std::optional<std::string> target =
        paths.readerTarget(chosen, ClientPaths::folderOf(desktopIniPath(folder)));
    if (!target || platform::getFileAttributes(*target) != platform::kInvalidAttributes)
        return true;
    // A folder that is not there fails on its own, with its own message.
    if (!platform::isDirectory(folder))
        return false;
    const bool fromHere =
        relative && platform::getFileAttributes(path) != platform::kInvalidAttributes;
    m_err << Messages::warningPrefix()
          << Messages::missingFile(sw, shownName(folder), shownName(*target), fromHere) << '\n';
    return true;
}

int finishDressing(std::string_view commandLine, const MakeIconResult &result, std::ostream &err)
{
    if (result.failed) {
        err << startupFailureMessage(commandLine, result.failure.message, result.failedFolder)
            << '\n';
        return kExitFailure;
    }
    printWarnings(result, err);
    return kExitSuccess;
}

int runFolderSwitches(std::string_view commandLine, CommandLineRequest &&parsed,
                      CustomisationRequest &request, std::ostream &out, std::ostream &err,
                      FolderIo &io, const RunHooks &hooks)
{
    const ProgressFn &progress = hooks.progress;
    // The terminal's progress line is erased before each line of ours.
    const auto message = [&hooks]() -> void {
        if (hooks.beforeMessages)
            hooks.beforeMessages();
    };
    const std::vector<FolderListSwitch> lists = std::move(parsed.folderLists);
    const bool listing = parsed.listDressing, removing = parsed.remove, dry = parsed.dryRun;
    const bool announce = parsed.goOn;
    applyCommandLine(std::move(parsed), request);
    const bool dressing = !listing && !removing;
    if (dressing && !request.anythingToMake())
        return kExitSuccess;
    // Listing, removing and a dry run go through every folder; dressing stops only without -go.
    const bool goOn = announce || dry || !dressing;
    FolderSequence sequence(request.targetFolders, lists, !goOn);
    if (!sequence.openFailure.empty()) {
        err << Messages::listUnopened(sequence.openFailure) << '\n';
        return kExitFailure;
    }
    if (listing)
        return listDressings(sequence, out) ? kExitFailure : kExitSuccess;

    std::size_t failed = 0;
    const FailureFn onFailure = [&](const std::string &folder, const platform::Status &failure) {
        ++failed;
        message();
        if (dry)
            out << Messages::dryFolder(shownName(folder)) << '\n'
                << Messages::dryFailure(failure.message) << '\n';
        else
            err << Messages::folderFailed(shownName(folder), failure.message) << '\n';
    };
    DryRunFolderIo dryIo(out);
    FolderIo &target = dry ? static_cast<FolderIo &>(dryIo) : io;
    std::size_t handled = 0;
    if (removing) {
        handled = removeAll(sequence, target, progress, onFailure);
    } else {
        MissingFileCheck check(request, err);
        CheckedSource source(sequence, &check);
        const MakeIconResult result =
            makeicon(request, source, target, progress, platform::sambaConfiguration,
                     goOn ? onFailure : FailureFn{});
        message();
        if (!goOn)
            return finishDressing(commandLine, result, err);
        printWarnings(result, err);
        handled = result.pass.done;
    }
    message();
    if (announce)
        err << Messages::summary(handled - failed, failed) << '\n';
    return failed ? kExitFailure : kExitSuccess;
}

} // namespace engine
