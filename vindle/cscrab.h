#pragma once

#include "platform/componenttypes.h"
#include "vindle/browserhost.h"
#include "vindle/iconextractor.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vindle
{

// Failure status carrying a runtime error number (9 → 0x800A0009).
constexpr HRESULT controlError(unsigned number)
{
    return MAKE_HRESULT(1, FACILITY_CONTROL, number);
}
constexpr unsigned errSubscriptOutOfRange = 9;
constexpr unsigned errObjectNotSet = 91;          // ShowIcon with no drawing surface in this thread
constexpr unsigned errInvalidPropertyValue = 380; // SizeIcon outside 0..maxIconSize
constexpr int maxIconSize = 1024;

// CScrab: counts, extracts and draws the icons of one library file; opens the browser window.
class CScrab
{
public:
    CScrab(IconExtractor &icons, BrowserHost &browser);
    ~CScrab(); // Class_Terminate
    CScrab(const CScrab &) = delete;
    CScrab &operator=(const CScrab &) = delete;

    // vindle: shows this thread's browser window on `inputdll`; `result` gets ChosenIconIndex.
    HRESULT vindle(const std::u16string &inputdll, unsigned char modal, std::u16string &result);
    // FileName put: releases the old icons, then counts and extracts those of `path`.
    void setFileName(const std::u16string &path);
    const std::u16string &fileName() const { return m_fileName; } // FileName get
    std::int32_t numberIcons() const { return m_iconCount; }      // NumberIcons
    // ShowIcon: draws icon `icon` at `sizeIcon` pixels on the thread's DrawingSurface.
    HRESULT showIcon(std::int32_t icon, std::int32_t sizeIcon);

    // The handle tables, IconCount + 1 slots each (empty before the first FileName put).
    const std::vector<IconHandle> &largeHandles() const { return m_largeHandles; }
    const std::vector<IconHandle> &smallHandles() const { return m_smallHandles; }

private:
    void releaseIcons(); // ReleaseIcons

    IconExtractor &m_icons;
    BrowserHost &m_browser;
    std::u16string m_fileName;              // the path last given to FileName
    std::int32_t m_iconCount = 0;           // IconCount
    std::vector<IconHandle> m_largeHandles; // LargeHandles
    std::vector<IconHandle> m_smallHandles; // SmallHandles
};

} // namespace vindle
