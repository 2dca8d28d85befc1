#include "app/localeoutput.h"

#include "platform/processcommandline.h"

namespace
{

constexpr std::size_t kFlushAt = 65536;

// Where `text` ends before a character cut off at its end, which waits for its other bytes.
std::size_t wholeCharactersEnd(const std::string &text)
{
    const std::size_t size = text.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for its lead
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

} // namespace

LocaleOutput::LocaleOutput(std::ostream &stream) : m_stream(stream), m_target(stream.rdbuf(this)) {}

LocaleOutput::~LocaleOutput()
{
    sync();
    if (!m_pending.empty()) // a cut character never completed: its bytes as they are
        m_target->sputn(m_pending.data(), std::streamsize(m_pending.size()));
    m_target->pubsync();
    m_stream.rdbuf(m_target);
}

LocaleOutput::int_type LocaleOutput::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    m_pending += traits_type::to_char_type(c);
    return m_pending.size() >= kFlushAt && sync() != 0 ? traits_type::eof() : c;
}

std::streamsize LocaleOutput::xsputn(const char *s, std::streamsize n)
{
    m_pending.append(s, std::size_t(n));
    if (m_pending.size() >= kFlushAt && sync() != 0)
        return 0;
    return n;
}

int LocaleOutput::sync()
{
    const std::size_t end = wholeCharactersEnd(m_pending);
    const std::string text = platform::utf8ToOutputText(std::string_view(m_pending).substr(0, end));
    m_pending.erase(0, end);
    if (m_target->sputn(text.data(), std::streamsize(text.size())) != std::streamsize(text.size()))
        return -1;
    return m_target->pubsync();
}
