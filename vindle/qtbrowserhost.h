#pragma once

#include "vindle/browserhost.h"

namespace vindle
{

// QtBrowserHost: opens Form1 in the thread of the application's widgets.
class QtBrowserHost final : public BrowserHost
{
public:
    // E_UNEXPECTED without a QApplication; RPC_E_WRONG_THREAD off the widgets' thread.
    HRESULT open(const std::u16string &path, unsigned char modal) override;
};

} // namespace vindle
