#include "commandline.h"

#include "utf8.h"

#include <array>
#include <utility>

namespace engine
{
namespace
{

std::string_view trimmedSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    for (char &c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// Marks "--help" and "--version" given as whole blank-separated words.
void findLongOptions(std::string_view line, CommandLineRequest &request)
{
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos)
            end = line.size();
        const std::string_view word = line.substr(start, end - start);
        request.showHelp = request.showHelp || word == "--help";
        request.showVersion = request.showVersion || word == "--version";
        start = end + 1;
    }
}

// A piece starts at a "-" that begins the line or follows a blank.
std::vector<std::size_t> pieceStarts(std::string_view line)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '-' && (i == 0 || line[i - 1] == ' '))
            starts.push_back(i);
    }
    return starts;
}

void applyPiece(std::string_view piece, CommandLineRequest &request)
{
    const std::string_view name = piece.substr(0, 3);
    // Three switches keep their separator; the rest skip the fourth character whatever it is.
    const std::string_view fromFourth = utf8::afterCharacters(piece, 3);
    const std::string_view fromFifth = trimmedSpaces(utf8::afterCharacters(piece, 4));
    if (name == "-fp") {
        request.folders.emplace_back(fromFifth);
    } else if (name == "-ip") {
        request.iconPath = std::string(fromFifth);
    } else if (name == "-ii") {
        request.iconIndex = std::string(fromFourth);
    } else if (name == "-tt") {
        request.infoTip = std::string(fromFourth);
    } else if (name == "-pp") {
        request.picturePath = std::string(fromFourth);
    } else if (name == "-tc") {
        if (auto colour = colourForWord(lowerAscii(fromFifth)))
            request.colour = colour;
    } else if (name == "-wv") {
        const std::string word = lowerAscii(fromFifth);
        if (word == "xp")
            request.windowsMode = WindowsMode::Xp;
        else if (word == "9x")
            request.windowsMode = WindowsMode::Nt9x;
    }
}

} // namespace

CommandLineRequest parseCommandLine(std::string_view commandLine)
{
    CommandLineRequest request;
    findLongOptions(commandLine, request);
    const std::vector<std::size_t> starts = pieceStarts(commandLine);
    request.valid = !starts.empty();
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : commandLine.size();
        applyPiece(commandLine.substr(starts[i], end - starts[i]), request);
    }
    return request;
}

std::optional<std::uint32_t> colourForWord(std::string_view word)
{
    static constexpr std::array<std::pair<std::string_view, std::uint32_t>, 7> kColours{{
        {"red", 255},
        {"blue", 16776985},
        {"green", 62073},
        {"black", 0},
        {"white", 16777215},
        {"yellow", 8454143},
        {"orange", 33023},
    }};
    for (const auto &[name, value] : kColours) {
        if (name == word)
            return value;
    }
    return std::nullopt;
}

void applyCommandLine(const CommandLineRequest &parsed, CustomisationRequest &request)
{
    for (const std::string &folder : parsed.folders) {
        request.targetFolders.push_back(folder);
        request.selectedFolder = folder;
    }
    if (parsed.iconPath) {
        request.iconPath = *parsed.iconPath;
        request.makeIcon = true;
    }
    if (parsed.iconIndex) {
        request.iconIndex = *parsed.iconIndex;
        request.iconSource = IconSource::Library;
    }
    if (parsed.infoTip) {
        request.infoTip = *parsed.infoTip;
        request.makeInfoTip = true;
    }
    if (parsed.picturePath) {
        request.picturePath = *parsed.picturePath;
        request.makeBackground = true;
    }
    if (parsed.colour)
        request.nameColour = *parsed.colour;
    if (parsed.windowsMode)
        request.windowsMode = *parsed.windowsMode;
}

std::string helpText()
{
    return "Использование: ravo2 [ключи]\n"
           "  -fp <папка>    добавить папку в список (ключ можно повторять)\n"
           "  -ip <путь>     файл иконки или библиотека иконок; ставит иконку\n"
           "  -ii <номер>    номер иконки в библиотеке, с нуля\n"
           "  -tt <текст>    всплывающая подсказка; ставит подсказку\n"
           "  -pp <путь>     фоновая картинка; ставит фон\n"
           "  -tc <цвет>     цвет имён на фоне: red, blue, green, black, white, yellow, orange\n"
           "  -wv <xp|9x>    xp: папке атрибут 1 (только чтение); 9x: атрибут 5 (и системная)\n"
           "  --help         показать эту справку\n"
           "  --version      показать версию\n";
}

std::string versionText()
{
    return std::string("ravo2 ") + RAVO2_VERSION;
}

} // namespace engine
