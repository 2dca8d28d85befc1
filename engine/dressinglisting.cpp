#include "dressinglisting.h"

#include "desktopinireader.h"
#include "folderpaths.h"
#include "platform/attributes.h"
#include "platform/codepage.h"
#include "platform/filesystem.h"
#include "platform/unicode.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace engine
{
namespace
{

constexpr std::string_view kShellSection = "[.shellclassinfo]";
constexpr std::string_view kBackgroundSection = "[{be098140-a513-11d0-a3a4-00c04fd706ec}]";

// The values this program writes, as one folder's file holds them.
struct IniValues {
    std::optional<std::string> icon, index, infoTip, picture, colour;
    std::string encoding;
};

std::string hexByte(const char *prefix, unsigned char byte)
{
    char text[16];
    std::snprintf(text, sizeof text, "%s%02x", prefix, byte);
    return text;
}

std::optional<std::string> *slotFor(IniValues &values, std::string_view section,
                                    std::string_view key)
{
    if (section == kShellSection) {
        if (key == "iconfile")
            return &values.icon;
        if (key == "iconindex")
            return &values.index;
        if (key == "infotip")
            return &values.infoTip;
    } else if (section == kBackgroundSection) {
        if (key == "iconarea_image")
            return &values.picture;
        if (key == "iconarea_text")
            return &values.colour;
    }
    return nullptr;
}

IniValues readValues(std::string_view bytes, unsigned codePage)
{
    IniValues values;
    if (bytes.starts_with("\xFF\xFE"))
        values.encoding = "utf-16le";
    else if (bytes.starts_with("\xEF\xBB\xBF"))
        values.encoding = "utf-8";
    else
        values.encoding = "cp" + std::to_string(codePage);
    std::string section;
    for (const std::string &line : DesktopIniReader::lines(bytes, codePage)) {
        if (line.starts_with('[')) {
            section = asciiLower(line.substr(0, line.find(']') + 1));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        // The first line of a key counts, as the shell reads it.
        if (auto *slot = slotFor(values, section, asciiLower(line.substr(0, equals)));
            slot && !*slot)
            *slot = line.substr(equals + 1);
    }
    return values;
}

std::string jsonOrNull(const std::optional<std::string> &value)
{
    return value ? jsonString(*value) : "null";
}

std::string attributesJson(std::uint32_t attributes)
{
    return attributes == platform::kInvalidAttributes ? "null" : std::to_string(attributes);
}

// The colour as a number when the file holds a whole number there, else as the text it holds.
std::string colourJson(const std::optional<std::string> &colour)
{
    if (!colour)
        return "null";
    const std::string_view text(*colour);
    const std::size_t digits = text.starts_with('-') ? 1 : 0;
    const bool number = text.size() > digits && text.size() < 12 &&
                        text.find_first_not_of("0123456789", digits) == std::string_view::npos;
    return number ? std::string(text) : jsonString(text);
}

} // namespace

std::string jsonString(std::string_view bytes)
{
    std::string out = "\"";
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t start = pos;
        const char32_t c = platform::decodeUtf8(bytes, pos);
        const auto byte = static_cast<unsigned char>(bytes[start]);
        if (c == platform::kNoCharacter)
            out += hexByte("\\udc", byte);
        else if (c == '"' || c == '\\')
            out.append(1, '\\').append(1, static_cast<char>(c));
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x20)
            out += hexByte("\\u00", byte);
        else
            out.append(bytes.substr(start, pos - start));
    }
    return out + '"';
}

std::string dressingJson(const std::string &folder, const ClientPaths &paths, unsigned codePage,
                         bool &isFolder)
{
    const std::string ini = desktopIniPath(folder);
    const std::uint32_t folderAttributes = platform::getFileAttributes(folder);
    platform::Status folderError;
    if (folderAttributes == platform::kInvalidAttributes)
        folderError = platform::lastError();
    else if (!(folderAttributes & platform::kAttrDirectory))
        folderError = platform::Status::failure(ENOTDIR, std::strerror(ENOTDIR));
    isFolder = folderError.ok();
    std::string bytes;
    const bool hasFile = platform::readFile(ini, bytes).ok();
    const std::uint32_t fileAttributes =
        hasFile ? platform::getFileAttributes(ini) : platform::kInvalidAttributes;
    const IniValues values = hasFile ? readValues(bytes, codePage) : IniValues{};
    const std::string iniFolder = ClientPaths::folderOf(ini);
    // The shell honours the file only in a folder marked read-only or system.
    const bool marked = folderAttributes != platform::kInvalidAttributes &&
                        (folderAttributes & (platform::kAttrReadOnly | platform::kAttrSystem));
    std::string out = "{\"folder\":" + jsonString(folder);
    out += ",\"dressed\":";
    out += hasFile && marked ? "true" : "false";
    out += ",\"icon\":" + jsonOrNull(values.icon);
    out += ",\"icon_local\":" +
           (values.icon ? jsonString(paths.local(*values.icon, iniFolder)) : std::string("null"));
    out += ",\"index\":" + jsonOrNull(values.index);
    out += ",\"infotip\":" + jsonOrNull(values.infoTip);
    out += ",\"picture\":" + jsonOrNull(values.picture);
    out += ",\"picture_local\":" + (values.picture
                                        ? jsonString(paths.local(*values.picture, iniFolder))
                                        : std::string("null"));
    out += ",\"colour\":" + colourJson(values.colour);
    out += ",\"folder_attributes\":" + attributesJson(folderAttributes);
    out += ",\"file_attributes\":" + attributesJson(fileAttributes);
    out += ",\"encoding\":" + (hasFile ? jsonString(values.encoding) : std::string("null"));
    if (!isFolder)
        out += ",\"error\":" + jsonString(folderError.message);
    return out + "}";
}

std::string entryErrorJson(const std::string &folder, std::string_view reason)
{
    return "{\"folder\":" + jsonString(folder) +
           ",\"dressed\":false,\"error\":" + jsonString(reason) + "}";
}

std::size_t listDressings(FolderSource &source, std::ostream &out)
{
    const ClientPaths paths = ClientPaths::forThisMachine();
    const unsigned codePage = platform::ansiCodePage();
    std::size_t failed = 0;
    FolderEntry entry;
    while (source.next(entry)) {
        if (!entry.problem.ok()) {
            ++failed;
            out << entryErrorJson(entry.folder, entry.problem.message) << '\n';
            continue;
        }
        bool isFolder = true;
        out << dressingJson(entry.folder, paths, codePage, isFolder) << '\n';
        failed += !isFolder;
    }
    return failed;
}

} // namespace engine
