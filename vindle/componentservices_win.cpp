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

// The activation context of the manifest in this module's resource 2 (version 6 of the common
// controls); null where the module carries none, as in test programs.
HANDLE controlsContext()
{
    static const HANDLE context = [] {
        ACTCTXW request{};
        request.cbSize = sizeof(request);
        request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&controlsContext), &request.hModule);
        request.lpResourceName = MAKEINTRESOURCEW(2);
        const HANDLE created = CreateActCtxW(&request);
        return created == INVALID_HANDLE_VALUE ? nullptr : created;
    }();
    return context;
}

// Keeps the module's manifest active while the window's controls are created and run.
class ActiveControlsContext
{
public:
    ActiveControlsContext()
    {
        if (controlsContext() != nullptr && !ActivateActCtx(controlsContext(), &m_cookie))
            m_cookie = 0;
    }
    ~ActiveControlsContext()
    {
        if (m_cookie != 0)
            DeactivateActCtx(0, m_cookie);
    }
    ActiveControlsContext(const ActiveControlsContext &) = delete;
    ActiveControlsContext &operator=(const ActiveControlsContext &) = delete;

private:
    ULONG_PTR m_cookie = 0;
};

// The browser window in plain Win32, one per thread.
class Win32BrowserHost final : public BrowserHost
{
public:
    HRESULT open(const std::u16string &path, unsigned char modal) override
    {
        const ActiveControlsContext controls6;
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
