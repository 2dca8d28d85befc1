#include "forms/form5logic.h"

#include "engine/languagefile.h"
#include "engine/settings.h"
#include "platform/attributes.h"
#include "platform/clientpaths.h"
#include "platform/codepage.h"
#include "platform/filesystem.h"
#include "platform/programmodule.h"
#include "platform/unicode.h"

#include <algorithm>
#include <cstdlib>
#include <map>

using engine::LanguageFile;

namespace forms
{

namespace
{

constexpr std::size_t kNameBytes = 1024; // what is read of a file for its language's name
constexpr char32_t kByteOrderMark = 0xFEFF;

// The simple lower case of the letters file names mostly use: Latin, Greek, Cyrillic.
char32_t folded(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x481) ||
         (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) &&
        c % 2 == 0)
        return c + 1;
    return c;
}

std::u32string foldedText(std::string_view text)
{
    std::u32string result;
    for (std::size_t pos = 0; pos < text.size();)
        result.push_back(folded(platform::decodeUtf8(text, pos)));
    return result;
}

// Case-folded first, then by bytes, so that positions stay stable from run to run.
bool byName(const std::string &a, const std::string &b)
{
    const std::u32string foldedA = foldedText(a), foldedB = foldedText(b);
    return foldedA != foldedB ? foldedA < foldedB : a < b;
}

bool isSpace(char32_t c)
{
    return (c >= 0x9 && c <= 0xD) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// The text without a leading byte-order mark and without blanks at either end.
std::string trimmedName(const std::string &line)
{
    std::u32string text;
    for (std::size_t pos = 0; pos < line.size();)
        text.push_back(platform::decodeUtf8(line, pos));
    if (!text.empty() && text.front() == kByteOrderMark)
        text.erase(0, 1);
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    std::string result;
    for (auto it = first; it < last; ++it)
        platform::appendUtf8(result, *it == platform::kNoCharacter ? 0xFFFD : *it);
    return result;
}

// The language's name: the file's first line, or its name without ".lng" when that is empty. Only
// the start of the file is read, so a long or endless file costs nothing here.
std::string languageName(const std::string &path, const std::string &fileName)
{
    std::string start;
    platform::readFileStart(path, kNameBytes, start);
    const std::size_t end = start.find('\r');
    std::string name;
    if (end != std::string::npos) {
        const auto lines =
            LanguageFile::lines(std::string_view(start).substr(0, end), platform::ansiCodePage());
        name = lines.empty() ? std::string() : trimmedName(lines.front());
    }
    return name.empty() ? fileName.substr(0, fileName.rfind('.')) : name;
}

bool isAbsolute(const std::string &path, char separator)
{
    return (!path.empty() && (path[0] == '/' || path[0] == separator)) ||
           (separator == '\\' && path.size() >= 2 && path[1] == ':');
}

// An absolute, lexically clean path with the system's separators ("." and ".." taken out).
std::string cleanFolder(std::string path)
{
    const char separator = platform::nativeSeparator();
    std::replace(path.begin(), path.end(), '/', separator);
    if (!isAbsolute(path, separator))
        path = platform::currentFolder() + separator + path;
    std::size_t rootEnd = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    const std::size_t drive = rootEnd;
    while (rootEnd < path.size() && path[rootEnd] == separator)
        ++rootEnd;
    // "\\server" keeps both separators; any other root has one.
    std::string result = path.substr(0, drive);
    if (rootEnd > drive)
        result.append(separator == '\\' && drive == 0 && rootEnd - drive >= 2 ? 2 : 1, separator);
    std::vector<std::string> parts;
    for (std::size_t begin = rootEnd; begin < path.size();) {
        std::size_t end = path.find(separator, begin);
        end = end == std::string::npos ? path.size() : end;
        const std::string part = path.substr(begin, end - begin);
        if (part == ".." && !parts.empty())
            parts.pop_back();
        else if (!part.empty() && part != "." && part != "..")
            parts.push_back(part);
        begin = end + 1;
    }
    for (std::size_t i = 0; i < parts.size(); ++i)
        result += (i > 0 ? std::string(1, separator) : std::string()) + parts[i];
    return result;
}

std::string filePath(const std::string &folder, const std::string &name)
{
    const char separator = platform::nativeSeparator();
    return !folder.empty() && folder.back() == separator ? folder + name
                                                         : folder + separator + name;
}

// Language file names of one folder, sorted by name so the positions stay stable.
std::vector<std::string> languageFileNames(const std::string &folder)
{
    std::vector<std::string> names;
    // Only regular files: a pipe or a device is no file to read (a pipe would block).
    for (const std::string &name : platform::regularFileNames(folder)) {
        if (LanguageFile::isLanguageFileName(name) &&
            LanguageFile::isListedAttributes(platform::getFileAttributes(filePath(folder, name))))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), byName);
    return names;
}

} // namespace

Form5Logic::Form5Logic(Form5View &view, LanguageTargets &windows, engine::Settings &settings)
    : m_view(view), m_windows(windows), m_settings(settings), m_builtIn(shownLines(windows))
{
    // Entry 0, Russian, gives these back after another language.
}

std::vector<std::string> Form5Logic::languageFolders()
{
    const char *variable = std::getenv("RAVO2_LANGUAGE_DIR");
    std::string installed = variable != nullptr ? variable : "";
    if (installed.empty())
        installed = platform::installedLanguageFolder();
    std::vector<std::string> folders;
    std::vector<std::string> seen;
    for (const std::string &folder : {platform::currentFolder(), installed}) {
        const std::string canonical = folder.empty() ? "" : platform::canonicalPath(folder);
        if (canonical.empty() || std::find(seen.begin(), seen.end(), canonical) != seen.end())
            continue;
        seen.push_back(canonical);
        folders.push_back(cleanFolder(folder));
    }
    return folders;
}

std::vector<LanguageEntry> Form5Logic::listLanguageFiles()
{
    std::vector<LanguageEntry> entries{{"Русский", ""}};
    for (const std::string &folder : languageFolders()) {
        for (const std::string &name : languageFileNames(folder)) {
            const std::string path = filePath(folder, name);
            entries.push_back({languageName(path, name), path});
        }
    }
    // Two files naming the same language are told apart by their paths.
    std::map<std::string, int> count;
    for (const LanguageEntry &entry : entries)
        ++count[entry.name];
    for (std::size_t row = 1; row < entries.size(); ++row) {
        if (count[entries[row].name] > 1)
            entries[row].name += " (" + entries[row].path + ")";
    }
    return entries;
}

void Form5Logic::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_List1 = listLanguageFiles();
    m_view.setEntries(m_List1);
    const auto index = LanguageFile::storedIndex(m_settings.language(), int(m_List1.size()));
    if (!index)
        return;
    // The loaded entry stays selected so that "Отмена" keeps storing the same choice.
    m_view.selectRow(*index);
    // Russian is what every window shows before any language: nothing to apply.
    if (*index > 0 && loadlanguage(*index))
        applylanguage();
}

bool Form5Logic::loadlanguage(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_List1.size())
        return false;
    if (index == 0) {
        m_List2 = m_builtIn;
        return true;
    }
    const std::string &path = m_List1[static_cast<std::size_t>(index)].path;
    std::string bytes;
    const platform::Status status = platform::readFile(path, bytes);
    if (!status.ok()) {
        m_view.message(MessageIcon::Warning, "ravo2",
                       "Не удалось прочитать файл языка\r" + path + "\r" + status.message,
                       MessageButtons::Ok);
        return false;
    }
    m_List2 = LanguageFile::lines(bytes, platform::ansiCodePage());
    return true;
}

void Form5Logic::applylanguage()
{
    forms::applylanguage(m_windows, m_List2);
}

void Form5Logic::Command1_Click()
{
    const int row = m_view.selectedRow();
    if (row >= 0 && loadlanguage(row))
        applylanguage();
}

void Form5Logic::Command2_Click()
{
    // No selection stores Russian, which applies nothing next time, as before.
    m_settings.setLanguage(std::max(m_view.selectedRow(), 0));
    m_view.close();
}

} // namespace forms
