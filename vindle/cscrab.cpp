#include "vindle/cscrab.h"

#include "vindle/cscrabinterface.h"
#include "vindle/modulestate.h"

#include <algorithm>

namespace vindle
{

CScrab::CScrab(IconExtractor &icons, BrowserHost &browser) : m_icons(icons), m_browser(browser) {}

CScrab::~CScrab()
{
    releaseIcons();
}

HRESULT CScrab::vindle(const std::u16string &inputdll, unsigned char modal, std::u16string &result)
{
    result.clear();
    const HRESULT status = m_browser.open(inputdll, modal);
    if (FAILED(status))
        return status;
    const std::string digits = std::to_string(ChosenIconIndex);
    result.assign(digits.begin(), digits.end());
    return S_OK;
}

void CScrab::setFileName(const std::u16string &path)
{
    m_fileName = path;
    releaseIcons();
    m_iconCount = std::max(0, m_icons.count(path));
    m_largeHandles.assign(static_cast<size_t>(m_iconCount) + 1, nullptr);
    m_smallHandles.assign(static_cast<size_t>(m_iconCount) + 1, nullptr);
    if (m_iconCount > 0)
        m_icons.extract(path, m_iconCount, m_largeHandles.data(), m_smallHandles.data());
}

HRESULT CScrab::showIcon(std::int32_t icon, std::int32_t sizeIcon)
{
    IconSurface *surface = DrawingSurface;
    if (!surface)
        return controlError(errObjectNotSet);
    if (sizeIcon < 0 || sizeIcon > maxIconSize)
        return controlError(errInvalidPropertyValue);
    surface->setOuterHeight(sizeIcon * surface->twipsPerPixelY() + 55);
    surface->setOuterWidth(sizeIcon * surface->twipsPerPixelX() + 55);
    surface->clearPicture();
    const std::vector<IconHandle> &table = sizeIcon == SmallIcon ? m_smallHandles : m_largeHandles;
    if (icon < 0 || static_cast<size_t>(icon) >= table.size())
        return controlError(errSubscriptOutOfRange);
    if (table[static_cast<size_t>(icon)])
        surface->drawIcon(table[static_cast<size_t>(icon)], 0, 0, sizeIcon, sizeIcon);
    return S_OK;
}

void CScrab::releaseIcons()
{
    if (m_iconCount <= 0)
        return;
    for (size_t i = 0; i <= static_cast<size_t>(m_iconCount); ++i) {
        m_icons.destroy(m_largeHandles[i]);
        m_icons.destroy(m_smallHandles[i]);
        m_largeHandles[i] = m_smallHandles[i] = nullptr;
    }
}

} // namespace vindle
