#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine
{

// An interface language file: a plain list of lines whose position alone says which text it holds.
class LanguageFile
{
public:
    static constexpr int kFirstTextLine = 6; // lines 1 to 5 are the file's own notes, never applied
    static constexpr int kLastTextLine = 57; // the windows' further texts may follow
    static constexpr int kTextCount = kLastTextLine - kFirstTextLine + 1;

    // The file's lines as UTF-8. CR LF or a lone CR ends a line, a lone LF stays in the text, a
    // last line without terminator is read. A file that is valid UTF-8 as a whole is taken as
    // UTF-8, anything else as `codePage` text; a byte-order mark stays at the start of line 1.
    static std::vector<std::string> lines(std::string_view bytes, unsigned codePage);

    // True for a file name the language search lists: ends in ".lng" in any case (as the Windows
    // pattern "*.lng" matches) and is not a hidden dot-file.
    static bool isLanguageFileName(std::string_view fileName);

    // True when a found entry's attributes let it be listed: readable, not a folder, hidden or
    // system.
    static bool isListedAttributes(std::uint32_t attributes);

    // The stored "language" value as an index into the dialog's list of `count` entries (0 the
    // built-in Russian, k the k-th file, as stored before Russian was listed); nullopt when the
    // text is not a whole number or names no entry.
    static std::optional<int> storedIndex(std::string_view stored, int count);
};

} // namespace engine
