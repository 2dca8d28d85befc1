#include "consoletext.h"

namespace platform
{

std::size_t wholeUtf8Prefix(std::string_view text)
{
    // A lead byte within the last three bytes whose sequence runs past the end is held back.
    const std::size_t size = text.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back
        std::size_t length = 1;
        if ((byte & 0xE0) == 0xC0)
            length = 2;
        else if ((byte & 0xF0) == 0xE0)
            length = 3;
        else if ((byte & 0xF8) == 0xF0)
            length = 4;
        return length > back ? size - back : size;
    }
    return size;
}

std::string withCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

} // namespace platform
