#pragma once

#include "folderdresser.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <ostream>

namespace engine
{

// The one line "folders: done / all" that a long run keeps rewriting on a terminal: it appears
// once the run has taken a second, changes at most ten times a second, and is erased at the end
// and before any message. A restarted run (the count going back) is said on a line of its own.
class ProgressLine
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit ProgressLine(std::ostream &terminal, Clock clock = &std::chrono::steady_clock::now);
    ~ProgressLine(); // erases the line if it was shown
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    void update(std::size_t done, std::size_t total);
    ProgressFn callback();
    void erase(); // before a message; the next update draws the line again

private:
    std::ostream &m_terminal;                        // standard error, a terminal
    Clock m_clock;                                   // the time source (tests step it)
    std::chrono::steady_clock::time_point m_started; // when the run began
    std::chrono::steady_clock::time_point m_drawn;   // when the line was last drawn
    std::size_t m_width = 0;                         // the drawn line's length, for erasing it
    std::size_t m_lastDone = 0;                      // the count a pass has reached
};

} // namespace engine
