#include "settingsstore.h"

#include "filesystem.h"
#include "posixfile.h"
#include "userlanguage.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform
{

namespace
{

constexpr std::size_t kMaxSettingsBytes = 64 * 1024; // far above what four keys need

Status errorStatus(int code)
{
    return Status::failure(code, std::strerror(code));
}

// Says once per run why the settings file is passed over.
void reportIgnored(const std::string &path, const Status &why)
{
    static std::atomic<bool> reported{false};
    if (reported.exchange(true))
        return;
    const char *reason =
        why.code == EFBIG
            ? (russianMessages() ? "он больше 64 КБ" : "it is larger than 64 KB")
            : (russianMessages() ? "это не обычный файл" : "it is not a regular file");
    std::fprintf(stderr,
                 russianMessages() ? "ravo2: файл настроек %s пропущен: %s\n"
                                   : "ravo2: the settings file %s is passed over: %s\n",
                 path.c_str(), reason);
}

// Reads the settings file only when it is a regular file of at most kMaxSettingsBytes: a FIFO
// would hang start-up and a device or a huge file would eat the memory. Anything else is
// ignored (ENOENT when there is none) and is never to be replaced.
Status readSettingsFile(const std::string &path, std::string &text)
{
    Status status = readRegularFile(path, kMaxSettingsBytes, text);
    if (status.code == EISDIR)
        status = errorStatus(EINVAL);
    if (status.code == EINVAL || status.code == EFBIG)
        reportIgnored(path, status);
    return status;
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> sectionOf(std::string_view line)
{
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return std::nullopt;
    return line.substr(1, line.size() - 2);
}

// True when `line` is "key=value" for this key; `value` receives the text after "=".
bool keyLine(std::string_view line, std::string_view key, std::string_view &value)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || trimmed(line.substr(0, equals)) != key)
        return false;
    value = trimmed(line.substr(equals + 1));
    return true;
}

// QSettings puts values with blanks at their ends or with separators between quotes.
std::string unquoted(std::string_view value)
{
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return std::string(value);
    std::string text;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\' && i + 2 < value.size())
            ++i;
        text += value[i];
    }
    return text;
}

std::string quotedIfNeeded(std::string_view value)
{
    const bool plain = value.find_first_of("\"\\;,") == std::string_view::npos &&
                       trimmed(value).size() == value.size();
    if (plain)
        return std::string(value);
    std::string text = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\')
            text += '\\';
        text += c;
    }
    return text + '"';
}

std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Creates every missing folder of `path`; new ones are private to the user as XDG asks.
Status makeFolders(const std::string &path)
{
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return lastError();
        if (slash == std::string::npos)
            return Status::success();
    }
}

// The file behind a symbolic link (dotfile managers link settings files), else the path itself.
std::string resolvedFile(const std::string &path)
{
    char target[PATH_MAX];
    if (realpath(path.c_str(), target) == nullptr)
        return path;
    return target;
}

} // namespace

SettingsStore::SettingsStore(std::string application) : m_application(std::move(application)) {}

std::string SettingsStore::location() const
{
    std::string base;
    const char *config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config != '\0') {
        base = config;
    } else {
        const char *home = std::getenv("HOME");
        base = std::string(home != nullptr && *home != '\0' ? home : "") + "/.config";
    }
    return base + "/" + m_application + "/" + m_application + ".ini";
}

std::string SettingsStore::get(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const
{
    std::string text;
    if (!readSettingsFile(location(), text).ok())
        return std::string(defaultValue);
    std::optional<std::string> found;
    bool inSection = false;
    for (const std::string &line : splitLines(text)) {
        std::string_view value;
        if (const auto name = sectionOf(line))
            inSection = *name == section;
        else if (inSection && keyLine(line, key, value))
            found = unquoted(value); // a repeated key counts as QSettings counts it: the last wins
    }
    return found ? *found : std::string(defaultValue);
}

Status SettingsStore::save(std::string_view section, std::string_view key, std::string_view value)
{
    // A line break would let a value forge further keys or sections.
    if (section.empty() || key.empty() || hasLineBreak(section) || hasLineBreak(key) ||
        hasLineBreak(value) || section.find(']') != std::string_view::npos ||
        key.find('=') != std::string_view::npos || key.front() == '[')
        return errorStatus(EINVAL);
    const std::string path = location();
    if (Status status = makeFolders(path.substr(0, path.rfind('/'))); !status.ok())
        return status;
    const std::string file = resolvedFile(path);
    std::string text;
    if (Status status = readSettingsFile(file, text); !status.ok() && status.code != ENOENT)
        return status; // never replace settings that exist but could not be read
    std::vector<std::string> lines = splitLines(text);
    const std::string ending =
        !lines.empty() && !lines.front().empty() && lines.front().back() == '\r' ? "\r" : "";
    const std::string entry = std::string(key) + "=" + quotedIfNeeded(value) + ending;

    bool inSection = false;
    bool replaced = false;
    std::optional<std::size_t> insertAt;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view old;
        if (const auto name = sectionOf(lines[i]))
            inSection = *name == section;
        else if (inSection && keyLine(lines[i], key, old)) {
            lines[i] = entry;
            replaced = true;
        }
        if (inSection && !trimmed(lines[i]).empty())
            insertAt = i + 1;
    }
    if (!replaced && insertAt) {
        lines.insert(lines.begin() + std::ptrdiff_t(*insertAt), entry);
    } else if (!replaced) {
        if (!lines.empty() && !trimmed(lines.back()).empty())
            lines.push_back(ending);
        lines.push_back("[" + std::string(section) + "]" + ending);
        lines.push_back(entry);
    }
    std::string result;
    for (const std::string &line : lines)
        result += line + "\n";
    return replaceFile(file, result);
}

} // namespace platform
