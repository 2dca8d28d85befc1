#include "iconcopy.h"

#include "clientpaths.h"
#include "desktopinireader.h"
#include "iconextraction.h"
#include "messages.h"
#include "platform/clientpaths.h"
#include "platform/filesystem.h"
#include "sha256.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace engine
{
namespace
{

constexpr std::size_t kHashDigits = 12;
constexpr std::size_t kMaxExtension = 5;
constexpr std::uint32_t kCopyAttributes = 2; // hidden, as desktop.ini

bool isLowerAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool isExtension(std::string_view text)
{
    return !text.empty() && text.size() <= kMaxExtension &&
           std::all_of(text.begin(), text.end(), isLowerAlnum);
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The file to read for a chosen path; empty for a path each Windows reader resolves on its own
// side (%SystemRoot%\..., and where paths are translated any Windows form), which needs no copy.
std::string sourceOf(std::string_view chosen)
{
    const std::string_view path = trimmed(chosen);
    if (path.empty() || path.starts_with('%'))
        return {};
    if (platform::writesClientPaths() &&
        (ClientPaths::isWindowsForm(path) || path.starts_with('\\')))
        return {};
    return std::string(path);
}

// The chosen file's extension in lower case when it is a short one, else `fallback`.
std::string extensionOf(std::string_view path, std::string_view fallback)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find_first_of("/\\", dot) != std::string_view::npos)
        return std::string(fallback);
    const std::string extension = asciiLower(path.substr(dot + 1));
    return isExtension(extension) ? extension : std::string(fallback);
}

// The value of a desktop.ini line `key=value` (key in any case, blanks around "=" allowed).
std::optional<std::string_view> valueOf(std::string_view line, std::string_view key)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || asciiLower(trimmed(line.substr(0, equals))) != key)
        return std::nullopt;
    return trimmed(line.substr(equals + 1));
}

} // namespace

IconCopies::IconCopies(const CustomisationRequest &request) : m_request(request)
{
    if (request.makeIcon)
        copy(m_request.iconPath, ".icon-", true);
    if (request.makeBackground && m_status.ok())
        copy(m_request.picturePath, ".picture-", false);
}

void IconCopies::copy(std::string &value, std::string_view prefix, bool icon)
{
    const std::string source = sourceOf(value);
    if (source.empty())
        return;
    std::string bytes;
    if (const platform::Status read = platform::readFile(source, bytes); !read.ok()) {
        m_status = platform::Status::failure(read.code, source + ": " + read.message);
        return;
    }
    const bool extract = icon && isModule(bytes);
    const std::string extension = extract ? "ico" : extensionOf(source, icon ? "ico" : "bmp");
    if (extract) {
        const auto index = DesktopIniReader::indexNumber(m_request.iconIndex);
        auto extracted = index ? extractedIcon(bytes, *index) : std::nullopt;
        if (!extracted) {
            m_status = platform::Status::failure(
                EINVAL, Messages::noIconToCopy(source, m_request.iconIndex));
            return;
        }
        bytes = std::move(*extracted);
        m_request.iconIndex = std::string(1, '0'); // not a literal: GCC 12 warns falsely of overlap
    }
    value = std::string(prefix) + sha256Hex(bytes).substr(0, kHashDigits) + "." + extension;
    m_files.push_back({value, std::move(bytes)});
}

platform::Status IconCopies::place(FolderIo &io, const std::string &folder,
                                   std::vector<std::string> &written) const
{
    for (const FolderCopy &file : m_files) {
        std::string present;
        // A larger file differs; reading one byte more tells that without reading it all.
        if (io.readFolderFile(folder, file.name, file.bytes.size() + 1, present).ok() &&
            present == file.bytes)
            continue;
        platform::FolderOutcome outcome =
            io.writeFolderFile(folder, file.name, file.bytes, kCopyAttributes);
        if (!outcome.file.ok())
            return outcome.file;
        written.push_back(file.name);
    }
    return platform::Status::success();
}

platform::Status IconCopies::remove(FolderIo &io, const std::string &folder,
                                    const std::vector<std::string> &names,
                                    const std::vector<std::string> &kept)
{
    platform::Status first;
    for (const std::string &name : names) {
        if (!isCopyName(name) || std::find(kept.begin(), kept.end(), name) != kept.end())
            continue;
        platform::Status removed = io.removeFolderFile(folder, name);
        if (!removed.ok() && removed.code != ENOENT && first.ok())
            first = std::move(removed);
    }
    return first;
}

bool IconCopies::isCopyName(std::string_view name)
{
    for (std::string_view prefix : {".icon-", ".picture-"}) {
        if (!name.starts_with(prefix))
            continue;
        const std::string_view rest = name.substr(prefix.size());
        return rest.size() > kHashDigits + 1 && rest[kHashDigits] == '.' &&
               std::all_of(
                   rest.begin(), rest.begin() + kHashDigits,
                   [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }) &&
               isExtension(rest.substr(kHashDigits + 1));
    }
    return false;
}

std::vector<std::string> IconCopies::namedCopies(std::string_view iniBytes, unsigned codePage)
{
    return copiesIn(iniBytes, codePage, false);
}

std::vector<std::string> IconCopies::mentionedCopies(std::string_view iniBytes, unsigned codePage)
{
    return copiesIn(iniBytes, codePage, true);
}

std::vector<std::string> IconCopies::copiesIn(std::string_view iniBytes, unsigned codePage,
                                              bool withPaths)
{
    std::vector<std::string> names;
    for (const std::string &line : DesktopIniReader::lines(iniBytes, codePage)) {
        for (std::string_view key : {"iconfile", "iconresource", "iconarea_image"}) {
            auto value = valueOf(line, key);
            if (value && key == "iconresource")
                value = trimmed(value->substr(0, value->rfind(',')));
            if (value && withPaths)
                value = value->substr(value->find_last_of("\\/") + 1);
            if (value && isCopyName(*value) &&
                std::find(names.begin(), names.end(), *value) == names.end())
                names.emplace_back(*value);
        }
    }
    return names;
}

} // namespace engine
