#include "commandline.h"

#include "messages.h"
#include "platform/processcommandline.h"
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

// The value of a piece as its switch takes it: three keep their separator, the rest skip the
// fourth character whatever it is and lose the blanks at both ends.
struct PieceValue {
    std::string_view fromFourth;
    std::string_view fromFifth;
};

void setColour(const PieceValue &v, CommandLineRequest &request)
{
    if (auto colour = colourForWord(lowerAscii(v.fromFifth)))
        request.colour = colour;
    else
        request.unknownWords.push_back({"-tc", std::string(v.fromFifth)});
}

void setWindowsMode(const PieceValue &v, CommandLineRequest &request)
{
    const std::string word = lowerAscii(v.fromFifth);
    if (word == "xp")
        request.windowsMode = WindowsMode::Xp;
    else if (word == "9x")
        request.windowsMode = WindowsMode::Nt9x;
    else
        request.unknownWords.push_back({"-wv", std::string(v.fromFifth)});
}

using SwitchAction = void (*)(const PieceValue &, CommandLineRequest &);

struct Switch {
    std::string_view name;
    SwitchAction apply;
};

// Every switch the line knows; a piece whose first three characters are none of these is ignored.
constexpr Switch kSwitches[] = {
    {"-fp",
     [](const PieceValue &v, CommandLineRequest &r) { r.folders.emplace_back(v.fromFifth); }},
    {"-ip",
     [](const PieceValue &v, CommandLineRequest &r) { r.iconPath = std::string(v.fromFifth); }},
    {"-ii",
     [](const PieceValue &v, CommandLineRequest &r) { r.iconIndex = std::string(v.fromFourth); }},
    {"-tt",
     [](const PieceValue &v, CommandLineRequest &r) { r.infoTip = std::string(v.fromFourth); }},
    {"-pp",
     [](const PieceValue &v, CommandLineRequest &r) { r.picturePath = std::string(v.fromFourth); }},
    {"-tc", setColour},
    {"-wv", setWindowsMode},
    {"-fl",
     [](const PieceValue &v, CommandLineRequest &r) {
         r.folderLists.push_back({r.folders.size(), std::string(v.fromFifth)});
     }},
    {"-go", [](const PieceValue &, CommandLineRequest &r) { r.goOn = true; }},
    {"-dr", [](const PieceValue &, CommandLineRequest &r) { r.dryRun = true; }},
    {"-ls", [](const PieceValue &, CommandLineRequest &r) { r.listDressing = true; }},
    {"-rm", [](const PieceValue &, CommandLineRequest &r) { r.remove = true; }},
    {"-ci", [](const PieceValue &, CommandLineRequest &r) { r.copyIcon = true; }},
};

// The switch as the user typed it, for a warning: the piece up to its first blank.
std::string typedSwitch(std::string_view piece)
{
    return std::string(trimmedSpaces(piece.substr(0, piece.find(' '))));
}

void applyPiece(std::string_view piece, CommandLineRequest &request)
{
    const std::string_view name = piece.substr(0, 3);
    const PieceValue value{utf8::afterCharacters(piece, 3),
                           trimmedSpaces(utf8::afterCharacters(piece, 4))};
    for (const Switch &known : kSwitches) {
        if (known.name == name) {
            known.apply(value, request);
            return;
        }
    }
    request.unknownSwitches.push_back(typedSwitch(piece));
}

} // namespace

CommandLineRequest parseCommandLine(std::string_view commandLine)
{
    CommandLineRequest request;
    // Only a line that is the word alone asks for it: "--help" inside a value is text.
    request.showHelp = commandLine == "--help";
    request.showVersion = commandLine == "--version";
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

std::optional<std::string> decodeTextValues(CommandLineRequest &parsed, bool foldersAsText)
{
    const std::pair<const char *, std::optional<std::string> *> values[] = {
        {"-ip", &parsed.iconPath},
        {"-ii", &parsed.iconIndex},
        {"-tt", &parsed.infoTip},
        {"-pp", &parsed.picturePath},
    };
    for (const auto &[name, value] : values) {
        if (!*value)
            continue;
        auto decoded = platform::argumentTextToUtf8(**value);
        if (!decoded)
            return name;
        **value = std::move(*decoded);
    }
    if (foldersAsText) {
        for (std::string &folder : parsed.folders) {
            auto decoded = platform::argumentTextToUtf8(folder);
            if (!decoded)
                return "-fp";
            folder = std::move(*decoded);
        }
    }
    return std::nullopt;
}

void applyCommandLine(const CommandLineRequest &parsed, CustomisationRequest &request)
{
    CommandLineRequest copy = parsed;
    applyCommandLine(std::move(copy), request);
}

void applyCommandLine(CommandLineRequest &&parsed, CustomisationRequest &request)
{
    if (!parsed.folders.empty())
        request.selectedFolder = parsed.folders.back();
    if (request.targetFolders.empty()) {
        request.targetFolders = std::move(parsed.folders);
    } else {
        for (std::string &folder : parsed.folders)
            request.targetFolders.push_back(std::move(folder));
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
    if (parsed.copyIcon)
        request.copyIcon = true;
}

std::string helpText()
{
    return Messages::help();
}

std::string versionText()
{
    return std::string("ravo2 ") + RAVO2_VERSION;
}

} // namespace engine
