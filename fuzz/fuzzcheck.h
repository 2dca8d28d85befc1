#pragma once

#include <cstdlib>

namespace fuzzcheck
{

// A broken property aborts, which libFuzzer records as a crash with the input that caused it.
inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace fuzzcheck
