#include "vindle/componentservices.h"

#include <windows.h>

#include <shellapi.h>

namespace vindle
{

namespace
{

// The shell's own icon extraction; the wide call takes paths the ANSI code page cannot spell.
class ShellIconExtractor final : public IconExtractor
{
public:
    int count(const std::u16string &path) override
    {
        const UINT found = ExtractIconExW(wide(path), -1, nullptr, nullptr, 0);
        // Wine answers (UINT)-1 for a missing file; Windows 0.
        return found == UINT(-1) ? 0 : int(found);
    }

    void extract(const std::u16string &path, int n, IconHandle *large, IconHandle *small) override
    {
        ExtractIconExW(wide(path), 0, reinterpret_cast<HICON *>(large),
                       reinterpret_cast<HICON *>(small), UINT(n));
    }

    void destroy(IconHandle icon) override
    {
        if (icon != nullptr)
            DestroyIcon(static_cast<HICON>(icon));
    }

private:
    static const wchar_t *wide(const std::u16string &path)
    {
        return reinterpret_cast<const wchar_t *>(path.c_str());
    }
};

// The browser window is a Qt window; this build has none, and says so instead of showing nothing.
class NoBrowserHost final : public BrowserHost
{
public:
    HRESULT open(const std::u16string &, unsigned char) override { return E_NOTIMPL; }
};

} // namespace

ComponentServices componentServices()
{
    static ShellIconExtractor icons;
    static NoBrowserHost browser;
    return {icons, browser};
}

} // namespace vindle
