#include "vindle/componentservices.h"

#include "vindle/browserwindow_win.h"
#include "vindle/resourceiconextractor_win.h"

#include <windows.h>

#include <commctrl.h>

namespace vindle
{

namespace
{

// The thread's window, its image lists and CurrentLibrary outlive every object the client holds,
// so once a window has been shown the module stays loaded for the life of the process.
void keepModuleLoaded()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&keepModuleLoaded), &module);
}

// The browser window in plain Win32, one per thread.
class Win32BrowserHost final : public BrowserHost
{
public:
    HRESULT open(const std::u16string &path, unsigned char modal) override
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls),
                                      ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        keepModuleLoaded();
        BrowserWindow *window = BrowserWindow::threadWindow();
        HRESULT status = S_OK;
        if (window == nullptr && (window = BrowserWindow::create(status)) == nullptr)
            return status;
        window->setPath(path);
        if (status = window->readicons(); FAILED(status))
            return status;
        window->showWith(modal);
        return S_OK;
    }
};

} // namespace

ComponentServices componentServices()
{
    // Never destroyed: a thread's CurrentLibrary may still release its icons while the process
    // ends.
    static auto *const icons = new ResourceIconExtractor;
    static auto *const browser = new Win32BrowserHost;
    return {*icons, *browser};
}

} // namespace vindle
