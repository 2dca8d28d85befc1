#include "progressline.h"

#include "messages.h"

#include <algorithm>
#include <string>

namespace engine
{
namespace
{

constexpr std::chrono::seconds kQuietStart{1};
constexpr std::chrono::milliseconds kRedrawEvery{100};

} // namespace

ProgressLine::ProgressLine(std::ostream &terminal, Clock clock)
    : m_terminal(terminal), m_clock(std::move(clock)), m_started(m_clock())
{
}

ProgressLine::~ProgressLine()
{
    erase();
}

void ProgressLine::erase()
{
    if (m_width == 0)
        return;
    m_terminal << '\r' << std::string(m_width, ' ') << '\r' << std::flush;
    m_width = 0;
}

void ProgressLine::update(std::size_t done, std::size_t total)
{
    // A pass counts up from one: a count that does not grow is the run starting over.
    if (done <= m_lastDone) {
        erase();
        m_terminal << Messages::restarting() << '\n' << std::flush;
    }
    m_lastDone = done;
    const auto now = m_clock();
    if (now - m_started < kQuietStart || (m_width != 0 && now - m_drawn < kRedrawEvery))
        return;
    std::string line = Messages::progress(done, total);
    const std::size_t length = line.size();
    // A shorter line (a restarted run counts from one again) must cover the longer one.
    if (length < m_width)
        line.append(m_width - length, ' ');
    m_terminal << '\r' << line << std::flush;
    m_width = std::max(m_width, length);
    m_drawn = now;
}

ProgressFn ProgressLine::callback()
{
    return [this](std::size_t done, std::size_t total) {
        update(done, total);
        return true; // the terminal's line never stops a run
    };
}

} // namespace engine
