#include "vindle/componentservices.h"

#include "vindle/resourceiconextractor_win.h"

#include <windows.h>

namespace vindle
{

namespace
{

// The browser window is a Qt window; this build has none, and says so instead of showing nothing.
class NoBrowserHost final : public BrowserHost
{
public:
    HRESULT open(const std::u16string &, unsigned char) override { return E_NOTIMPL; }
};

} // namespace

ComponentServices componentServices()
{
    static ResourceIconExtractor icons;
    static NoBrowserHost browser;
    return {icons, browser};
}

} // namespace vindle
