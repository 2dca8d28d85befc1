#include "desktopinireader.h"

#include "clientpaths.h"
#include "folderpaths.h"
#include "platform/codepage.h"
#include "platform/filesystem.h"
#include "utf8.h"

#include <climits>

namespace engine
{
namespace
{

std::string decoded(std::string_view bytes, unsigned codePage)
{
    if (bytes.starts_with("\xFF\xFE"))
        return utf8::fromUtf16Le(bytes.substr(2));
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return utf8::sanitized(bytes.substr(3));
    return platform::codePageToUtf8(bytes, codePage);
}

std::string_view trimmedBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whole digits, saturating at LLONG_MAX so a huge number stays a non-zero number.
long long wholePart(std::string_view digits)
{
    long long value = 0;
    for (char c : digits) {
        const int digit = c - '0';
        if (value > (LLONG_MAX - digit) / 10)
            return LLONG_MAX;
        value = value * 10 + digit;
    }
    return value;
}

// Rounds half to even on the fraction's digits, as a conversion to a whole number does.
bool roundsUp(long long whole, std::string_view fraction)
{
    if (fraction.empty() || fraction[0] < '5')
        return false;
    if (fraction[0] > '5' || fraction.substr(1).find_first_not_of('0') != std::string_view::npos)
        return true;
    return whole % 2 != 0;
}

} // namespace

std::vector<std::string> DesktopIniReader::lines(std::string_view bytes, unsigned codePage)
{
    const std::string text = decoded(bytes, codePage);
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            result.emplace_back(text, start);
            break;
        }
        result.emplace_back(text, start, end - start);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return result;
}

FolderIniOutcome DesktopIniReader::read(std::string_view bytes, const std::string &currentIndexText,
                                        unsigned codePage)
{
    FolderIniOutcome outcome;
    // The number is kept with its text so a long index is not converted again on every line.
    std::optional<long long> number = indexNumber(currentIndexText);
    for (const std::string &line : lines(bytes, codePage)) {
        const std::string_view head = std::string_view(line).substr(0, 5);
        if (head == "IconF")
            outcome.iconPath = std::string(utf8::afterCharacters(line, 9));
        if (head == "IconI") {
            outcome.iconIndex = std::string(utf8::afterCharacters(line, 10));
            number = indexNumber(*outcome.iconIndex);
        }
        if (!number) {
            outcome.stoppedEarly = true;
            return outcome;
        }
        outcome.iconSource = *number != 0 ? IconSource::Library : IconSource::File;
        if (head == "InfoT")
            outcome.infoTip = std::string(utf8::afterCharacters(line, 8));
    }
    return outcome;
}

std::optional<long long> DesktopIniReader::indexNumber(std::string_view text)
{
    text = trimmedBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::size_t wholeDigits = 0;
    while (wholeDigits < text.size() && isDigit(text[wholeDigits]))
        ++wholeDigits;
    std::string_view fraction;
    if (wholeDigits < text.size() && text[wholeDigits] == '.')
        fraction = text.substr(wholeDigits + 1);
    else if (wholeDigits != text.size())
        return std::nullopt;
    for (char c : fraction) {
        if (!isDigit(c))
            return std::nullopt;
    }
    if (wholeDigits == 0 && fraction.empty())
        return std::nullopt;
    long long value = wholePart(text.substr(0, wholeDigits));
    if (value != LLONG_MAX && roundsUp(value, fraction))
        ++value;
    return negative ? -value : value;
}

FolderIniOutcome readfolderini(const std::string &folder, const std::string &currentIndexText)
{
    FolderIniOutcome outcome;
    std::string bytes;
    const std::string ini = folder.empty() ? std::string() : desktopIniPath(folder);
    // An empty folder path would read the current directory's file, which belongs to no entry.
    if (ini.empty() || !platform::readFile(ini, bytes, kMaxDesktopIniBytes).ok()) {
        outcome.stoppedEarly = true;
        return outcome;
    }
    outcome = DesktopIniReader::read(bytes, currentIndexText, platform::ansiCodePage());
    // A path the file gives for its readers becomes the local file, so applying again writes it
    // back the same.
    if (outcome.iconPath)
        outcome.iconPath =
            ClientPaths::forThisMachine().local(*outcome.iconPath, ClientPaths::folderOf(ini));
    return outcome;
}

} // namespace engine
