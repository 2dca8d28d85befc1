#pragma once

#include "platform/componenttypes.h"

#include <string>

namespace vindle
{

// Hosts this thread's browser window (the window of the component).
class BrowserHost
{
public:
    virtual ~BrowserHost() = default;

    // Creates the window when the thread has none, puts `path` into its path field, reads the
    // library and shows the window; a non-zero `modal` returns only after the window closed.
    virtual HRESULT open(const std::u16string &path, unsigned char modal) = 0;
};

} // namespace vindle
