#include "dryrunfolderio.h"

#include "desktopinireader.h"
#include "folderpaths.h"
#include "messages.h"
#include "platform/attributes.h"
#include "platform/codepage.h"
#include "platform/filesystem.h"

#include <cstdio>

namespace engine
{
namespace
{

constexpr const char *kIniName = "desktop.ini";

// The folder's present file, as the real run reads it before writing; nullopt when there is none.
std::optional<std::string> presentFile(const std::string &folder)
{
    std::string bytes;
    if (!platform::readFile(desktopIniPath(folder), bytes).ok())
        return std::nullopt;
    return bytes;
}

} // namespace

std::string attributeWords(std::uint32_t attributes)
{
    static constexpr std::pair<std::uint32_t, const char *> kNames[] = {
        {platform::kAttrReadOnly, "read-only"}, {platform::kAttrHidden, "hidden"},
        {platform::kAttrSystem, "system"},      {platform::kAttrArchive, "archive"},
        {platform::kAttrNormal, "normal"},
    };
    std::string words;
    for (const auto &[bit, name] : kNames) {
        if (attributes & bit)
            words.append(words.empty() ? "" : ", ").append(name);
    }
    return std::to_string(attributes) + " (" + words + ")";
}

std::string shownName(std::string_view folder)
{
    std::string out;
    out.reserve(folder.size());
    for (const char c : folder) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

platform::FolderOutcome DryRunFolderIo::dressFolder(const std::string &folder,
                                                    std::string_view bytes,
                                                    std::uint32_t fileAttributes,
                                                    std::uint32_t folderAttributes)
{
    platform::FolderOutcome outcome;
    outcome.file = platform::probeFolder(folder, kIniName, false);
    if (!outcome.file.ok())
        return outcome; // the run's failure report shows the folder and the reason
    m_out << Messages::dryFolder(shownName(folder)) << '\n'
          << Messages::dryFile(attributeWords(fileAttributes)) << '\n';
    printFile(bytes);
    m_out << Messages::dryFolderAttributes(attributeWords(folderAttributes)) << '\n';
    return outcome;
}

platform::FolderOutcome DryRunFolderIo::writeFolderFile(const std::string &folder,
                                                        const std::string &name, std::string_view,
                                                        std::uint32_t fileAttributes)
{
    platform::FolderOutcome outcome;
    outcome.file = platform::probeFolder(folder, name, false);
    if (outcome.file.ok())
        m_out << Messages::dryCopy(shownName(folder + name), attributeWords(fileAttributes))
              << '\n';
    return outcome;
}

platform::Status DryRunFolderIo::removeFolderFile(const std::string &folder,
                                                  const std::string &name)
{
    m_out << Messages::dryCopyRemoval(shownName(folder + name)) << '\n';
    return platform::Status::success();
}

void DryRunFolderIo::printFile(std::string_view bytes)
{
    for (const std::string &line : DesktopIniReader::lines(bytes, platform::ansiCodePage()))
        m_out << "    " << line << '\n';
}

platform::FolderOutcome DryRunFolderIo::dressFolderKeeping(const std::string &folder,
                                                           const platform::FileComposer &compose,
                                                           std::uint32_t fileAttributes,
                                                           std::uint32_t folderAttributes)
{
    return dressFolder(folder, compose(presentFile(folder)).value_or(std::string()), fileAttributes,
                       folderAttributes);
}

platform::FolderOutcome DryRunFolderIo::undressFolderKeeping(const std::string &folder,
                                                             const platform::FileComposer &remains,
                                                             std::uint32_t folderAttributes)
{
    const std::optional<std::string> old = presentFile(folder);
    const std::optional<std::string> kept = old ? remains(old) : std::nullopt;
    if (!kept)
        return undressFolder(folder, folderAttributes);
    platform::FolderOutcome outcome;
    outcome.file = platform::probeFolder(folder, kIniName, false);
    if (outcome.file.ok()) {
        m_out << Messages::dryFolder(shownName(folder)) << '\n' << Messages::dryKept() << '\n';
        printFile(*kept);
    }
    return outcome;
}

platform::FolderOutcome DryRunFolderIo::undressFolder(const std::string &folder,
                                                      std::uint32_t folderAttributes)
{
    platform::FolderOutcome outcome;
    outcome.file = platform::probeFolder(folder, kIniName, true);
    if (outcome.file.ok())
        m_out << Messages::dryFolder(shownName(folder)) << '\n'
              << Messages::dryRemoval(attributeWords(folderAttributes)) << '\n';
    return outcome;
}

} // namespace engine
