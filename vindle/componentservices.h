#pragma once

#include "vindle/browserhost.h"
#include "vindle/iconextractor.h"

namespace vindle
{

// The platform's implementations that every CScrab of this module uses.
struct ComponentServices {
    IconExtractor &icons;
    BrowserHost &browser;
};

// Provided once per build: the Qt implementations on Linux, the Win32 ones on Windows.
ComponentServices componentServices();

} // namespace vindle
